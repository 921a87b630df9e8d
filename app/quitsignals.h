#pragma once

// A logout (SIGTERM), Ctrl+C (SIGINT) or a closed terminal (SIGHUP) quits the
// game as its own quit does: the event loop ends, and everything that closes
// with the application closes (the history of runs among it), so that nothing
// is left half written. Call once, with the application object made.
// Where these signals do not exist it does nothing.
void quitOnTerminationSignals();
