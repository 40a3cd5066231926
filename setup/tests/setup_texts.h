// The setup program's own texts, byte for byte as the pages and boxes show them (the compiler
// turns these literals into Shift-JIS).
#pragma once

#include <string>

namespace setuptest {

// The explanation strings, under the ids of their controls.
inline const std::string kExplainInstall =
    "Hintrail をハードディスクへコピーして、コンピュータで利用可能にします。旧バージョンの "
    "Hintrail が既にインストールされている場合、バージョンアップされます。\n恐れ入りますが、"
    "Hintrail によって、何らかの損害が発生しても、作者は責任を負いません。\n";
inline const std::string kExplainUninstall = "Hintrail をハードディスクやスタートメニューから削除します。";
inline const std::string kExplainFolder = "Hintrail をコピーするフォルダを指定してください。";
inline const std::string kExplainStartMenu = "Hintrail をスタートメニューに登録します。";
inline const std::string kExplainStartup =
    "Windows を起動したときに、Hintrail が自動的に起動するように設定します。";
inline const std::string kExplainKeepData =
    "収集したショートカットキーに関する情報を残して削除します。Hintrail "
    "を再びインストールすることで、アンインストール前の状態に戻すことが出来ます。";
inline const std::string kExplainRemoveAll = "全てのファイルを削除します。";
inline const std::string kExplainFinish =
    "[完了]ボタンを押すと、開始します。\nセットアップ終了後、すみやかに Windows "
    "を再起動してください。特に、再起動前に Hintrail SETUP を実行しないでください。";

inline const std::string kCaption = "Hintrail SETUP";
inline const std::string kFinished = "セットアップが終了しました。\nWindows を再起動してください.";

}  // namespace setuptest
