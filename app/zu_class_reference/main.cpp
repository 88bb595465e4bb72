// zu-class-reference: writes the class reference (docs/classes.md) from the class registry:
// every registered class with its category, base class, published properties (type and the
// value a new object has) and events. The reference is generated, never edited by hand;
// a test compares the committed file with this program's output.
//
//   zu-class-reference [OUT.md]      (standard output without OUT.md)
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/core/class_registry.h"
#include "platform/core/component.h"
#include "platform/core/property.h"
#include "platform/core/utf.h"
#include "platform/headless/headless_application.h"
#include "scene/zu_all/register_all.h"
#include "scene/zu_scene/tree/object.h"

namespace {

std::string TypeName(const zu::TzuPropInfo& p) {
    using K = zu::TzuPropKind;
    switch (p.kind) {
        case K::Integer: return "integer";
        case K::Float: return "number";
        case K::Enum: return p.enumInfo == &zu::kBooleanEnum ? "Boolean" : p.enumInfo->typeName;
        case K::Set: return std::string("set of ") + p.enumInfo->typeName;
        case K::String: return "string";
        case K::WString: return "text";
        case K::Object: return p.objClass ? p.objClass()->name : "object";
        case K::Reference:
            return std::string("reference to ") + (p.objClass ? p.objClass()->name : "an object");
        case K::Event: return "event";
        case K::Defined: return "stream value";
        case K::Collection: return "collection";
    }
    return "";
}

std::string FormatFloat(double d) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6g", d);
    return buffer;
}

std::string SetText(const zu::TzuEnumInfo& info, int64_t bits) {
    std::string out = "[";
    for (int i = 0; i < info.count && i < 63; ++i) {
        if (!(bits & (int64_t(1) << i))) continue;
        if (out.size() > 1) out += ", ";
        out += info.names[i];
    }
    return out + "]";
}

// Quotes a text for a table cell: backticks, with the characters tables use escaped.
std::string Cell(const std::string& text) {
    if (text.empty()) return "(empty)";
    std::string out;
    for (char c : text) {
        if (c == '|')
            out += "\\|";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return "`" + out + "`";
}

// The value a new object holds, or, for a class nothing can make, the declared default.
std::string DefaultOf(const zu::TzuPropInfo& p, zu::TzuPersistent* sample) {
    using K = zu::TzuPropKind;
    switch (p.kind) {
        case K::Integer:
            if (sample && p.getOrd) return Cell(std::to_string(p.getOrd(sample)));
            return p.hasDefault ? Cell(std::to_string(p.defOrd)) : "";
        case K::Enum: {
            const int64_t v = sample && p.getOrd ? p.getOrd(sample) : p.defOrd;
            return sample || p.hasDefault ? Cell(p.enumInfo->NameOf(v)) : "";
        }
        case K::Set: {
            const int64_t v = sample && p.getOrd ? p.getOrd(sample) : p.defOrd;
            return sample || p.hasDefault ? Cell(SetText(*p.enumInfo, v)) : "";
        }
        case K::Float: {
            if (sample && p.getFloat) return Cell(FormatFloat(p.getFloat(sample)));
            return p.hasDefault ? Cell(FormatFloat(p.defFloat)) : "";
        }
        case K::String:
            if (sample && p.getStr) return Cell(p.getStr(sample));
            return "";
        case K::WString:
            if (sample && p.getWStr) return Cell(zu::Utf16ToUtf8(p.getWStr(sample)));
            return "";
        default: return "";
    }
}

std::string Anchor(const char* name) {
    std::string out;
    for (const char* c = name; *c; ++c) out += char(std::tolower(static_cast<unsigned char>(*c)));
    return out;
}

void WriteClass(std::ostream& out, const zu::TzuClass& cls) {
    out << "### " << cls.name << "\n\n";
    out << "Base: ";
    if (cls.parent) {
        if (zu::IsRegisteredClass(*cls.parent))
            out << "[" << cls.parent->name << "](#" << Anchor(cls.parent->name) << ")";
        else
            out << cls.parent->name;
    } else {
        out << "none";
    }
    out << (cls.create ? "" : " · abstract: made only as a base") << "\n\n";

    // A new object shows the values a program starts from.
    std::unique_ptr<zu::TzuPersistent> sample;
    if (cls.create) {
        try {
            sample.reset(cls.create(nullptr));
        } catch (...) {
        }
    }
    std::vector<const zu::TzuPropInfo*> props, events;
    for (int i = 0; i < cls.propCount; ++i) {
        const zu::TzuPropInfo& p = cls.props[i];
        (p.kind == zu::TzuPropKind::Event ? events : props).push_back(&p);
    }
    auto byName = [](const zu::TzuPropInfo* a, const zu::TzuPropInfo* b) {
        return std::string_view(a->name) < std::string_view(b->name);
    };
    std::sort(props.begin(), props.end(), byName);
    std::sort(events.begin(), events.end(), byName);
    if (props.empty()) {
        out << "Publishes no properties of its own.\n\n";
    } else {
        out << "| Property | Type | New object | Stored |\n|---|---|---|---|\n";
        for (const zu::TzuPropInfo* p : props) {
            out << "| " << p->name << " | " << TypeName(*p) << " | " << DefaultOf(*p, sample.get()) << " | "
                << (!p->stored  ? "no"
                    : p->always ? "always"
                                : "when not the default")
                << " |\n";
        }
        out << "\n";
    }
    if (!events.empty()) {
        out << "Events:";
        for (size_t i = 0; i < events.size(); ++i) out << (i ? ", " : " ") << events[i]->name;
        out << "\n\n";
    }
}

std::string Reference() {
    std::map<std::string, std::string> categoryOf;
    for (const auto& [category, cls] : zu::ClassRegistry()) categoryOf.emplace(cls->name, category);
    std::map<std::string, std::vector<const zu::TzuClass*>> byCategory;
    for (const zu::TzuClass* cls : zu::RegisteredClasses()) {
        auto it = categoryOf.find(cls->name);
        byCategory[it == categoryOf.end() || it->second.empty() ? "Other classes" : it->second].push_back(
            cls);
    }
    std::ostringstream out;
    out << "# Class reference\n\n"
           "Every class a scene stream can name, by the category design tools list it under, with\n"
           "its base class, the properties it publishes itself (a class also has those of its\n"
           "bases) and its events. \"New object\" is the value a newly made object holds.\n"
           "Generated by `zu-class-reference`; do not edit: run\n"
           "`cmake --build build --target class-reference` after adding or changing a class.\n\n";
    for (auto& [category, classes] : byCategory) {
        std::sort(classes.begin(), classes.end(), [](const zu::TzuClass* a, const zu::TzuClass* b) {
            return std::string_view(a->name) < b->name;
        });
        out << "- " << category << ":";
        for (size_t i = 0; i < classes.size(); ++i)
            out << (i ? ", " : " ") << "[" << classes[i]->name << "](#" << Anchor(classes[i]->name) << ")";
        out << "\n";
    }
    out << "\n";
    for (const auto& [category, classes] : byCategory) {
        out << "## " << category << "\n\n";
        for (const zu::TzuClass* cls : classes) WriteClass(out, *cls);
    }
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 || (argc == 2 && std::string(argv[1]).rfind("-", 0) == 0)) {
        std::fputs("usage: zu-class-reference [OUT.md]\n", argc == 2 ? stdout : stderr);
        return argc == 2 && std::string(argv[1]) == "--help" ? 0 : 2;
    }
    try {
        // Controls made for their defaults need an application; none of them is shown.
        zu::TzuHeadlessApplication app;
        zu::RegisterAll();
        const std::string text = Reference();
        if (argc == 1) {
            std::cout << text;
            return std::cout.good() ? 0 : 1;
        }
        std::ofstream file(argv[1], std::ios::binary);
        file << text;
        if (!file.flush()) {
            std::fprintf(stderr, "zu-class-reference: cannot write %s\n", argv[1]);
            return 1;
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zu-class-reference: %s\n", e.what());
        return 1;
    }
}
