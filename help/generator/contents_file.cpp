#include "help/generator/contents_file.h"

namespace helpgen {

std::string BuildContentsFile(const HelpDocument& doc, const std::string& helpFileName) {
    std::string out = ":Base " + helpFileName + "\r\n:Title " + doc.title + "\r\n";
    for (const HelpTopic& topic : doc.topics) out += "1 " + topic.title + "=" + topic.context + "\r\n";
    return out;
}

}  // namespace helpgen
