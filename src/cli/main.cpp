#include <iostream>

#include "cli/BatchCommand.h"
#include "imaging/GraphicsLibrary.h"

int main(int argc, char** argv)
{
    const quillane::TGraphicsSession graphics(argv[0]);
    if (!graphics.Started()) {
        std::cerr << "quillane-batch: the image library could not be started\n";
        return quillane::esNotRun;
    }
    return quillane::RunBatchCommand(argc, argv);
}
