// zephyrin-render-mpi: zephyrin-render whose drawing mpirun's ranks share.
#include <mpi.h>

#include <future>

#include "render/mpi/mpi_team.h"
#include "render/mpi/one_machine_transports.h"
#include "render/render_main.h"

namespace {

// Leaves the team however the program ends, so that MPI is finalized.
struct LeaveAtEnd {
    zephyrin::MpiTeam& team;
    ~LeaveAtEnd() { team.Leave(); }
};

}  // namespace

int main(int argc, char** argv) {
    zephyrin::DefaultToOneMachineTransports();
    // One thread at a time speaks to MPI; the drawing threads never do.
    int provided = 0;
    MPI_Init_thread(&argc, &argv, MPI_THREAD_SERIALIZED, &provided);
    zephyrin::MpiTeam team(MPI_COMM_WORLD);
    // Where MPI takes calls from any thread, one at a time, the program runs
    // on a thread of its own and this one finalizes MPI (some 45 ms of
    // waiting on Open MPI's launcher) once the program has made its last
    // call, while rank 0 still colours and writes; else the program runs
    // here, before.
    const std::launch where = provided >= MPI_THREAD_SERIALIZED ? std::launch::async : std::launch::deferred;
    std::future<int> program = std::async(where, [&] {
        const LeaveAtEnd leave{team};
        return zephyrin::RenderMain(argc, argv, &team);
    });
    if (where == std::launch::deferred) program.wait();
    team.WaitUntilLeft();
    MPI_Finalize();
    return program.get();
}
