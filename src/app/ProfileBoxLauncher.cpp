#include "ProfileBoxLauncher.h"

// The program has no profile box yet: Load and Save open nothing.
void ShowProfileBox(int /*mode*/) {}
