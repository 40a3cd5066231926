// Stand-ins until the install and uninstall engine lands: they refuse, so that the wizard
// never reports an installation that did not happen.
#include <stdexcept>

#include "setup/procedures.h"

void InstallProduct(bool, bool) {
    throw std::runtime_error("インストールの処理はまだ組み込まれていません (InstallProduct is not built yet).");
}

void UninstallProduct(bool) {
    throw std::runtime_error("アンインストールの処理はまだ組み込まれていません (UninstallProduct is not built yet).");
}
