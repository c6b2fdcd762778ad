#pragma once

namespace quillane {

// How many threads the image library gives each picture it works on.
int LibraryThreadsPerPicture();
// Sets it for every picture opened from now on; 1 or more.
void SetLibraryThreadsPerPicture(int threads);

// Frees what the image library keeps for the calling thread. A thread of our own that
// ran routines calls it once, just before it ends.
void ReleaseRoutineThread();

}  // namespace quillane
