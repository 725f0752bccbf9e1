#include "automation/Commands.h"

int main(int argc, char** argv) {
    return zurval::runProgram(argc, argv);
}
