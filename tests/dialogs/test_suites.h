#pragma once

// Each suite runs one QtTest class and returns its number of failures.
int RunSpinEditTests(int argc, char** argv);
int RunParametersDialogTests(int argc, char** argv);
int RunCoefficientsDialogTests(int argc, char** argv);
int RunXYSizeDialogTests(int argc, char** argv);
