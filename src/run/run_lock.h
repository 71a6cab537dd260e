// One run at a time in a working directory: the lock on its temporary files and its time stamp.
#pragma once

// Takes the working directory's lock for the rest of the process. Under it the run's temporary
// files (tmp-c, temp-c, kalimo-c.log), its choice of a time stamp that no page in html/ has
// and its pages and SQL lines are the run's alone. While another run holds the lock, says so
// in one line and waits until that run ends. Where no lock can be taken (a file system
// without locks), says so in one line and goes on without it.
void lockWorkingDirectory();
