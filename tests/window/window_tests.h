#pragma once

namespace zephyrin::testing {

int RunWindowDrawingTests(int argc, char** argv);
int RunWindowMenusTests(int argc, char** argv);
int RunWindowFilesTests(int argc, char** argv);
int RunWindowReduceTests(int argc, char** argv);
int RunWindowZoomTests(int argc, char** argv);
int RunWindowBridgeTests(int argc, char** argv);
int RunWindowSizeTests(int argc, char** argv);

}  // namespace zephyrin::testing
