#pragma once

namespace zephyrin {

// Whether Open MPI's launcher started every rank of the job on this machine,
// as the sizes it hands each rank before MPI_Init tell (the variables
// OMPI_COMM_WORLD_SIZE and OMPI_COMM_WORLD_LOCAL_SIZE; null where unset).
bool AllRanksOnThisMachine(const char* worldSize, const char* localSize);

// Before MPI_Init: where every rank is on this machine, the ranks talk
// through shared memory (the ob1 messaging layer, whose shared-memory
// transport still falls back on TCP) instead of letting Open MPI first probe
// for fabrics a single machine does not use, which costs 0.2 s a run. Only
// sets what the environment leaves unset, so that an OMPI_MCA_pml from the
// user, mpirun's --mca or the site's environment wins.
void DefaultToOneMachineTransports();

}  // namespace zephyrin
