// The report writer of TournamentReader: the format, the tournament's name
// and every section summary as one JSON document.
#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "analysis/enum_translator.h"
#include "analysis/tournament_reader.h"
#include "report/tour_name.h"

namespace {

namespace pt = boost::property_tree;

constexpr const char* kToolVersion = "1.01";
// Where the pretty writer puts the members of an object inside the
// "Sections" array: two levels of four blanks.
constexpr const char* kSectionIndent = "        ";

// tree as write_json writes it, without the line end it adds at the end.
std::string Json(const pt::ptree& tree) {
    std::ostringstream text;
    pt::write_json(text, tree, true);
    std::string json = text.str();
    json.pop_back();
    return json;
}

// A tree of values only (no child has children of its own), written as an
// element of the "Sections" array exactly as write_json writes it at that
// level, with write_json's own escaping, but without its stream and
// translation work per character and value.
bool WriteFlatSection(std::ostream& out, const pt::ptree& tree) {
    for (const auto& child : tree) {
        if (!child.second.empty()) return false;
    }
    std::string text = kSectionIndent;
    text += "{\n";
    for (auto child = tree.begin(); child != tree.end(); ++child) {
        text += kSectionIndent;
        text += "    \"";
        text += pt::json_parser::create_escapes(child->first);
        text += "\": \"";
        text += pt::json_parser::create_escapes(child->second.data());
        text += '"';
        if (std::next(child) != tree.end()) text += ',';
        text += '\n';
    }
    text += kSectionIndent;
    text += '}';
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return true;
}

// json, written as an element of the "Sections" array: every line indented
// as the writer indents that level.
void WriteIndented(std::ostream& out, const std::string& json) {
    size_t start = 0;
    while (start < json.size()) {
        size_t end = json.find('\n', start);
        if (end == std::string::npos) end = json.size() - 1;
        out << kSectionIndent;
        out.write(json.data() + start, static_cast<std::streamsize>(end + 1 - start));
        start = end + 1;
    }
}

}  // namespace

bool TournamentReader::WriteReport(int formatErrors) {
    return WriteReport(formatErrors, std::cout);
}

bool TournamentReader::WriteReport(int formatErrors, std::ostream& out) {
    try {
        pt::ptree root;
        root.put("DBformat", ImportType, BoostTransLator<eImportType>());
        root.put("DBformatName", FormatName(ImportType));
        root.put("ToolVersion", kToolVersion);
        root.put("FormatErrors", static_cast<unsigned>(formatErrors));
        root.put("SectionCount", static_cast<unsigned>(Sections.size()));
        ConvertTourName(TourName);
        root.put("TourName", TourName);
        if (Sections.empty()) {
            // An empty tree is written as the value "".
            root.put_child("Sections", pt::ptree());
            pt::write_json(out, root, true);
            return static_cast<bool>(out);
        }

        // The document as write_json writes it whole, but one section's tree
        // at a time: the trees of every section together would take many
        // times the memory of the summaries.
        const std::string head = Json(root);  // ends in "\n}"
        out.write(head.data(), static_cast<std::streamsize>(head.size() - 2));
        out << ",\n    \"Sections\": [\n";
        for (auto entry = Sections.begin(); entry != Sections.end(); ++entry) {
            pt::ptree section;
            entry->second.WriteToPtree(section);
            if (!WriteFlatSection(out, section)) WriteIndented(out, Json(section));
            if (std::next(entry) != Sections.end()) out << ',';
            out << '\n';
        }
        out << "    ]\n}" << std::endl;
        return static_cast<bool>(out);
    } catch (const pt::json_parser_error&) {
        return false;
    } catch (const pt::ptree_bad_data&) {
        return false;
    }
}
