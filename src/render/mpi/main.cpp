// zephyrin-render-mpi: zephyrin-render whose drawing mpirun's ranks share.
#include <mpi.h>

#include "render/mpi/mpi_team.h"
#include "render/render_main.h"

int main(int argc, char** argv) {
    // Only this thread speaks to MPI; the drawing threads do not.
    int provided = 0;
    MPI_Init_thread(&argc, &argv, MPI_THREAD_FUNNELED, &provided);
    int status = 0;
    {
        zephyrin::MpiTeam team(MPI_COMM_WORLD);
        status = zephyrin::RenderMain(argc, argv, &team);
    }
    MPI_Finalize();
    return status;
}
