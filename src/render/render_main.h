#pragma once

namespace zephyrin {

class RenderTeam;

// What zephyrin-render and zephyrin-render-mpi do: the whole program with
// the process's arguments and its console. A `team`'s members but the first
// write nothing to standard output and say their messages to the team.
int RenderMain(int argc, char** argv, RenderTeam* team);

}  // namespace zephyrin
