#include "app/run_sequence.h"

int main(int argc, char** argv) {
  tonalign::RunTonalign(argc, argv);
}
