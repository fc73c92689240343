#include "render/mpi/one_machine_transports.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace zephyrin {
namespace {

TEST(OneMachineTransports, OnlyWhenEveryRankIsOnThisMachine) {
    EXPECT_TRUE(AllRanksOnThisMachine("2", "2"));
    EXPECT_TRUE(AllRanksOnThisMachine("1", "1"));
    // Four ranks, two of them elsewhere.
    EXPECT_FALSE(AllRanksOnThisMachine("4", "2"));
    // Not started by Open MPI's launcher (a singleton, or another launcher).
    EXPECT_FALSE(AllRanksOnThisMachine(nullptr, nullptr));
    EXPECT_FALSE(AllRanksOnThisMachine("2", nullptr));
    EXPECT_FALSE(AllRanksOnThisMachine("", ""));
    EXPECT_FALSE(AllRanksOnThisMachine("2x", "2x"));
    EXPECT_FALSE(AllRanksOnThisMachine("0", "0"));
}

TEST(OneMachineTransports, ShareMemoryUnlessThePmlIsChosen) {
    setenv("OMPI_COMM_WORLD_SIZE", "2", 1);
    setenv("OMPI_COMM_WORLD_LOCAL_SIZE", "2", 1);
    unsetenv("OMPI_MCA_pml");
    DefaultToOneMachineTransports();
    EXPECT_STREQ(std::getenv("OMPI_MCA_pml"), "ob1");
    setenv("OMPI_MCA_pml", "ucx", 1);
    DefaultToOneMachineTransports();
    EXPECT_STREQ(std::getenv("OMPI_MCA_pml"), "ucx");
    // Across machines the launcher's choice stands.
    unsetenv("OMPI_MCA_pml");
    setenv("OMPI_COMM_WORLD_SIZE", "4", 1);
    DefaultToOneMachineTransports();
    EXPECT_EQ(std::getenv("OMPI_MCA_pml"), nullptr);
    unsetenv("OMPI_COMM_WORLD_SIZE");
    unsetenv("OMPI_COMM_WORLD_LOCAL_SIZE");
}

}  // namespace
}  // namespace zephyrin
