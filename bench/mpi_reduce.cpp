// What adding up the ranks' counts costs (MpiTeam::AddCounts) at a poster's
// size. Run: mpirun -np 2 bench/mpi_reduce [WIDTHxHEIGHT], default 16000x12000.
#include <mpi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "render/mpi/mpi_team.h"
#include "render/mpi/one_machine_transports.h"

int main(int argc, char** argv) {
    // The transports zephyrin-render-mpi starts with.
    zephyrin::DefaultToOneMachineTransports();
    MPI_Init(&argc, &argv);
    int width = 16000, height = 12000;
    if (argc > 1) std::sscanf(argv[1], "%dx%d", &width, &height);
    {
        zephyrin::MpiTeam team(MPI_COMM_WORLD);
        zephyrin::CountGrid counts(width, height);
        for (std::size_t i = 0; i < counts.Size(); i += 7) counts.Counts()[i] += 3;
        for (int round = 0; round < 3; ++round) {
            MPI_Barrier(MPI_COMM_WORLD);
            const auto start = std::chrono::steady_clock::now();
            team.AddCounts(counts, 1);
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (team.First())
                std::printf("%d ranks, %d x %d counts (%.0f MB each): added up in %.3f s\n", team.Share().count,
                            width, height, static_cast<double>(counts.Size()) * 4 / 1e6, seconds);
        }
    }
    MPI_Finalize();
    return 0;
}
