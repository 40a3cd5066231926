// The setup program's one option. No Windows here: built and tested natively too.
#pragma once

// True when "/force" stands anywhere in the command line, in this letter case, also inside a
// longer word: the wizard then offers every choice, whatever the registry records.
bool OffersEveryChoice(const char* commandLine);
