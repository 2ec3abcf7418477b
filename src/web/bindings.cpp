// The core as the web page's script sees it (embind). Everything the page
// shows, says or decides comes from here; the page's script only moves it
// between the document and these calls.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "calc/spoken_fields.h"
#include "catalogue/alloys.h"
#include "catalogue/shapes.h"
#include "catalogue/units.h"
#include "form/announcements.h"
#include "form/controls.h"
#include "form/texts.h"
#include "results/report_text.h"
#include "results/result_line.h"
#include "web/page_form.h"

using emscripten::val;

namespace {

val Array(const std::vector<std::string>& items) {
    val array = val::array();
    for (const std::string& item : items) array.call<void>("push", item);
    return array;
}

const char* KindName(form::ControlKind kind) {
    switch (kind) {
        case form::ControlKind::Frame:
            return "frame";
        case form::ControlKind::Label:
            return "label";
        case form::ControlKind::Link:
            return "link";
        case form::ControlKind::ComboBox:
            return "combo";
        case form::ControlKind::Field:
            return "field";
        case form::ControlKind::List:
            return "list";
        case form::ControlKind::Button:
            return "button";
    }
    return "";
}

const char* StyleName(form::ControlStyle style) {
    switch (style) {
        case form::ControlStyle::Plain:
            return "plain";
        case form::ControlStyle::RightAligned:
            return "right";
        case form::ControlStyle::AutoSize:
            return "autosize";
        case form::ControlStyle::Bold:
            return "bold";
        case form::ControlStyle::Link:
            return "link";
        case form::ControlStyle::Wrap:
            return "wrap";
        case form::ControlStyle::SmallList:
            return "smalllist";
    }
    return "";
}

// The controls of the page: the window's, less Exit, with their texts as
// shown once the form has loaded, sizes in CSS pixels.
val Controls() {
    const form::ProviderBlock who = form::Provider();
    const std::vector<form::Control> table = form::Controls();
    // The name a screen reader knows a control by: its buddy caption's.
    std::map<std::string, std::string> names = {
        {"lstResults", std::string(form::kResultsListName)}};
    for (const form::Buddy& buddy : form::Buddies()) {
        for (const form::Control& c : table) {
            if (c.name == buddy.label) names[buddy.control] = form::FieldName(c.text);
        }
    }
    val controls = val::array();
    for (const form::Control& c : table) {
        if (c.name == "cmdExit") continue;
        std::string text = c.text;
        std::string address;
        if (c.name == "lblCompany") text = who.company;
        if (c.name == "lblInfo") text = who.info;
        if (c.name == "lblAuthorInfo") text = who.authorNotice;
        if (c.name == "lblCompURL")
            std::tie(text, address) = std::tie(who.companyLink, who.companyAddress);
        if (c.name == "lblAuthorInfo2")
            std::tie(text, address) = std::tie(who.authorLink, who.authorAddress);
        val control = val::object();
        control.set("id", form::PlainName(c.name));
        control.set("container", c.container);
        control.set("text", text);
        control.set("address", address);
        control.set("name", names[c.name]);
        if (c.name == "txtResult")
            control.set("description", std::string(form::kResultDescription));
        control.set("left", form::TwipsToPixels(c.left));
        control.set("top", form::TwipsToPixels(c.top));
        control.set("width", form::TwipsToPixels(c.width));
        control.set("height", form::TwipsToPixels(c.height));
        control.set("tab", c.tab);
        control.set("kind", std::string(KindName(c.kind)));
        control.set("style", std::string(StyleName(c.style)));
        controls.call<void>("push", control);
    }
    return controls;
}

val Lists() {
    std::vector<std::string> alloys, shapes, units, unitWords;
    for (int row = 1; row <= catalogue::kAlloyCount; ++row) {
        alloys.emplace_back(catalogue::AlloyName(row));
    }
    for (const catalogue::ShapeId id : catalogue::kOfferedShapes) {
        shapes.emplace_back(catalogue::ShapeName(id));
    }
    for (int u = 0; u < catalogue::kUnitCount; ++u) {
        units.emplace_back(catalogue::UnitAbbreviation(u));
        unitWords.emplace_back(catalogue::UnitWord(u));
    }
    val lists = val::object();
    lists.set("alloys", Array(alloys));
    lists.set("shapes", Array(shapes));
    lists.set("units", Array(units));
    lists.set("unitWords", Array(unitWords));
    lists.set("startShape", form::kStartShape);
    lists.set("title", std::string(form::kWindowTitle));
    return lists;
}

PageState StateOf(const val& page) {
    PageState state;
    state.alloy = page["alloy"].as<int>();
    state.shape = page["shape"].as<int>();
    for (int i = 0; i < calc::kSlotCount; ++i) {
        state.texts[i] = page["texts"][i].as<std::string>();
        state.units[i] = page["units"][i].as<int>();
    }
    state.pieces = page["pieces"].as<std::string>();
    state.result = page["result"].as<std::string>();
    return state;
}

// The fields a form shows, and what a screen reader is told of them after a
// change of form: each with what it holds now (`page`: the page's state).
val Fields(int shapePosition, const val& page) {
    const std::vector<std::string> captions = form::ShownCaptions(shapePosition);
    std::vector<std::string> names, unitNames;
    for (const std::string& caption : captions) {
        names.push_back(form::FieldName(caption));
        unitNames.push_back(form::UnitListName(caption));
    }
    val fields = val::object();
    fields.set("captions", Array(captions));
    fields.set("names", Array(names));
    fields.set("unitNames", Array(unitNames));
    const PageState now = StateOf(page);
    std::vector<calc::ShownField> shown;
    for (std::size_t i = 0; i < names.size(); ++i) {
        shown.push_back({names[i], now.texts[i], catalogue::UnitWord(now.units[i])});
    }
    fields.set("announcement", calc::FieldsShownWords(shown));
    return fields;
}

val AnswerOf(const PageAnswer& answer) {
    val out = val::object();
    if (answer.result) out.set("result", *answer.result);
    if (answer.line) out.set("line", *answer.line);
    if (answer.message) {
        out.set("title", answer.message->title);
        out.set("text", answer.message->text);
    }
    out.set("focus", answer.focus);
    out.set("announcement", answer.announcement);
    return out;
}

val Calculate(PageForm& form, const val& page) { return AnswerOf(form.Calculate(StateOf(page))); }

void ResultEdited(PageForm& form) { form.ResultEdited(); }

val Store(PageForm& form, const val& page, int stored) {
    return AnswerOf(form.Store(StateOf(page), stored));
}

val Remove(int selected, int stored) {
    val out = val::object();
    if (selected < 0) {
        const calc::Message message = results::NothingSelectedMessage();
        out.set("title", message.title);
        out.set("text", message.text);
    } else {
        out.set("announcement", form::ResultRemoved(stored - 1));
    }
    return out;
}

val Cleared() {
    val out = val::object();
    out.set("pieces", std::string(form::kClearedPieces));
    out.set("announcement", form::FieldsCleared());
    return out;
}

val Report(const val& lines) {
    std::vector<std::string> stored;
    const int count = lines["length"].as<int>();
    for (int i = 0; i < count; ++i) stored.push_back(lines[i].as<std::string>());
    val report = val::array();
    for (const results::ReportLine& line :
         results::ReportLines(results::BuildReport(stored, form::ReportIdentity()))) {
        val out = val::object();
        out.set("text", line.text);
        out.set("size", line.size);
        out.set("bold", line.bold);
        out.set("italic", line.italic);
        report.call<void>("push", out);
    }
    return report;
}

}  // namespace

EMSCRIPTEN_BINDINGS(metal_weight) {
    emscripten::class_<PageForm>("PageForm").constructor<>();
    emscripten::function("calculate", &Calculate);
    emscripten::function("store", &Store);
    emscripten::function("resultEdited", &ResultEdited);
    emscripten::function("remove", &Remove);
    emscripten::function("cleared", &Cleared);
    emscripten::function("controls", &Controls);
    emscripten::function("lists", &Lists);
    emscripten::function("fields", &Fields);
    emscripten::function("report", &Report);
}
