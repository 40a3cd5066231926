// The two procedures the wizard hands the user's choices to. Both report failure only by
// throwing an exception whose text is the whole message for the user.
#pragma once

// Copies the product into SetupState's destination folder, creates the chosen shortcuts and
// records the installation.
void InstallProduct(bool startMenuShortcut, bool startupShortcut);

// Removes the product from the recorded folder; removeAll also deletes the collected data.
void UninstallProduct(bool removeAll);
