#pragma once

// How the print window builds a data report batch by batch.
namespace output
{

// What follows a batch just built: printing it, and building the next one at once.
struct AfterBatch {
    bool printBatch = false;
    bool buildNext = false;
    bool operator==(const AfterBatch&) const = default;
};

// With automatic printing every batch is printed as soon as it is built, and the next one follows
// until the data ends or the user cancels; otherwise the window stops after one batch and waits.
// A cancelled generation prints nothing more.
AfterBatch afterBatch(bool autoPrint, bool reportFinished, bool cancelRequested);

} // namespace output
