#pragma once

#include <QString>

// Chooses the NetWare client the program loads. A servers file, named on the command line or the user's own
// in the configuration folder, chooses our NCP client and its servers; without one the platform's library
// search finds a client as it always did (one on the library path first, else the simulated one). False,
// once the user has been told on standard error and in a box, when the servers file cannot be used.
bool ChooseClient(const QString &serversFile);
