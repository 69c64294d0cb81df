// Formatting of the suite check's results.
#include "menu/check/CheckReport.h"

#include <algorithm>

#include "platform/JsonEscape.h"

namespace zindra::suitecheck {

namespace {

std::string Padded(const std::string& text, std::size_t width) {
    return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

std::string Summary(const SuiteCheckReport& report) {
    if (!report.IsSuite) return "not a suite: the folder holds none of the files the menu loads";
    std::string line = std::to_string(report.Results.size()) +
                       " files: " + std::to_string(report.Count(Verdict::Sound)) + " sound, " +
                       std::to_string(report.Count(Verdict::Missing)) + " missing";
    if (const int optional = report.OptionalMissing()) line += " (" + std::to_string(optional) + " optional)";
    line += ", " + std::to_string(report.Count(Verdict::Broken)) + " broken, " +
            std::to_string(report.Count(Verdict::OtherCase)) + " under another letter case";
    return line +
           (report.ExitStatus() == 0 ? ": the menu will find everything it needs" : ": the menu will miss something");
}

std::string Field(const char* name, const std::string& text) {
    return ",\"" + std::string(name) + "\":\"" + platform::JsonEscape(text) + "\"";
}

std::string Number(const char* name, int value) {
    return ",\"" + std::string(name) + "\":" + std::to_string(value);
}

}  // namespace

std::string TextReport(const SuiteCheckReport& report) {
    std::size_t pathWidth = 0, verdictWidth = 0, useWidth = 0;
    for (const CheckResult& r : report.Results) {
        pathWidth = std::max(pathWidth, DisplayPath(r.Item.Relative).size());
        verdictWidth = std::max(verdictWidth, std::string(VerdictName(r.Result)).size());
        useWidth = std::max(useWidth, r.Item.Use.size());
    }
    std::string text = "Suite check of " + report.Folder + "\n";
    std::string group;
    for (const CheckResult& r : report.Results) {
        if (r.Item.Group != group) {
            group = r.Item.Group;
            text += "\n" + group + "\n";
        }
        text += "  " + Padded(DisplayPath(r.Item.Relative), pathWidth) + "  " +
                Padded(VerdictName(r.Result), verdictWidth) + "  " + Padded(r.Item.Use, useWidth) + "  " + r.Detail;
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        text += "\n";
    }
    return text + "\n" + Summary(report) + "\n";
}

std::string JournalLines(const SuiteCheckReport& report) {
    std::string lines;
    for (const CheckResult& r : report.Results) {
        lines += "{\"t\":0,\"ev\":\"check\"" + Field("path", DisplayPath(r.Item.Relative)) + Field("use", r.Item.Use) +
                 Field("verdict", VerdictName(r.Result)) + Field("detail", r.Detail) + Field("group", r.Item.Group) +
                 ",\"needed\":" + (r.Item.Needed ? "true" : "false") + "}\n";
    }
    lines += "{\"t\":0,\"ev\":\"check-summary\"" + Field("folder", report.Folder) +
             Number("files", static_cast<int>(report.Results.size())) + Number("sound", report.Count(Verdict::Sound)) +
             Number("missing", report.Count(Verdict::Missing)) + Number("broken", report.Count(Verdict::Broken)) +
             Number("case", report.Count(Verdict::OtherCase)) + Number("status", report.ExitStatus()) + "}\n";
    return lines;
}

}  // namespace zindra::suitecheck
