#include "saver_list.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

const ZamvelSaver ZamvelSavers[ZamvelSaverCount] = {
    {"zamvel-glyra2", "Glyra2"},
    {"zamvel-glyra", "Glyra"},
    {"zamvel-orbel", "Orbel"},
    {"zamvel-worms", "Worms"},
};

namespace {

constexpr size_t None = std::string::npos;

// A part of a text cut at a separator: [Begin, End) without the separator;
// Next, where the next part starts (End when no separator follows).
struct Span {
    size_t Begin, End, Next;
};

std::vector<Span> Split(const std::string& t, const char* separator)
{
    const size_t length = std::strlen(separator);
    std::vector<Span> spans;
    for (size_t at = 0; at < t.size();) {
        const size_t found = t.find(separator, at);
        const size_t end = found == None ? t.size() : found;
        spans.push_back({at, end, found == None ? end : end + length});
        at = spans.back().Next;
    }
    return spans;
}

// The file's lines; the value's entries, cut at their "\n".
using Line = Span;
using Entry = Span;
std::vector<Line> SplitLines(const std::string& t) { return Split(t, "\n"); }
std::vector<Entry> EntriesOf(const std::string& value) { return Split(value, "\\n"); }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// A backslash at its end joins the next line to it.
bool Continues(const std::string& t, const Line& l) { return l.End > l.Begin && t[l.End - 1] == '\\'; }

// A programs resource: the lines [First, Last] it spans, its value from
// ValueBegin.
struct Resource {
    size_t First, Last, ValueBegin;
};

// Where the value of a "programs:" line starts, or None. The app-defaults
// file names it with its class: "*programs:".
size_t ProgramsValue(const std::string& t, const Line& l, bool withClass)
{
    size_t at = l.Begin;
    while (at < l.End && IsBlank(t[at])) ++at;
    size_t colon = at;
    while (colon < l.End && t[colon] != ':') ++colon;
    if (colon == l.End) return None;
    size_t end = colon;
    while (end > at && IsBlank(t[end - 1])) --end;
    const std::string name = t.substr(at, end - at);
    const bool match = name == "programs" ||
                       (withClass && (name == "*programs" || name == "XScreenSaver*programs" ||
                                      name == "XScreenSaver.programs"));
    return match ? colon + 1 : None;
}

// Every programs resource, in order; a resource starts a logical line (one
// the line before does not continue).
std::vector<Resource> FindLists(const std::string& t, const std::vector<Line>& lines, bool withClass)
{
    std::vector<Resource> found;
    for (size_t i = 0; i < lines.size();) {
        size_t last = i;
        while (last + 1 < lines.size() && Continues(t, lines[last])) ++last;
        const size_t value = ProgramsValue(t, lines[i], withClass);
        if (value != None) found.push_back({i, last, value});
        i = last + 1;
    }
    return found;
}

// A resource's value with its line breaks taken out; At[k] is where its
// byte k lies in the file.
struct Value {
    std::string Text;
    std::vector<size_t> At;
};

Value ValueOf(const std::string& t, const std::vector<Line>& lines, const Resource& r)
{
    Value v;
    for (size_t i = r.First; i <= r.Last; ++i) {
        const size_t end = lines[i].End - (Continues(t, lines[i]) ? 1 : 0);
        for (size_t at = i == r.First ? r.ValueBegin : lines[i].Begin; at < end; ++at) {
            v.Text += t[at];
            v.At.push_back(at);
        }
    }
    return v;
}

// Which saver an entry runs, or -1. An entry is "[-] [VISUAL:] ["Name"]
// COMMAND": a dash disables it, a visual ("GL:") chooses the window's.
int32_t SaverOf(const std::string& e)
{
    size_t at = 0;
    const auto blanks = [&] {
        while (at < e.size() && IsBlank(e[at])) ++at;
    };
    blanks();
    if (at < e.size() && e[at] == '-') ++at;
    blanks();
    size_t word = at;
    while (word < e.size() && !IsBlank(e[word]) && e[word] != ':' && e[word] != '"') ++word;
    if (word < e.size() && e[word] == ':') at = word + 1;
    blanks();
    if (at < e.size() && e[at] == '"') {
        const size_t close = e.find('"', at + 1);
        if (close == None) return -1;
        at = close + 1;
        blanks();
    }
    size_t end = at;
    while (end < e.size() && !IsBlank(e[end])) ++end;
    std::string program = e.substr(at, end - at);
    const size_t slash = program.rfind('/');
    if (slash != None) program.erase(0, slash + 1);
    for (int32_t i = 0; i < ZamvelSaverCount; ++i)
        if (program == ZamvelSavers[i].Program) return i;
    return -1;
}

uint32_t Listed(const Value& v)
{
    uint32_t listed = 0;
    for (const Entry& e : EntriesOf(v.Text)) {
        const int32_t s = SaverOf(v.Text.substr(e.Begin, e.End - e.Begin));
        if (s >= 0) listed |= 1u << s;
    }
    return listed;
}

// The entries of the savers in which, one a line, each ending "\n" and
// all but the last continued: as xscreensaver lays out its own list.
std::string SaverLines(uint32_t which)
{
    std::string lines;
    for (int32_t i = 0; i < ZamvelSaverCount; ++i) {
        if (!(which >> i & 1)) continue;
        if (!lines.empty()) lines += "\\\n";
        lines += std::string("\t\t\"") + ZamvelSavers[i].Title + "\"\t" + ZamvelSavers[i].Program + " --root\t\t\t\\n";
    }
    return lines;
}

// The savers in which appended to the resource r of t.
std::string Append(const std::string& t, const std::vector<Line>& lines, const Resource& r, uint32_t which)
{
    const Value v = ValueOf(t, lines, r);
    size_t end = v.Text.size();
    while (end > 0 && IsBlank(v.Text[end - 1])) --end;
    // A last entry without its "\n" gets one.
    const bool separate = end > 0 && !(end >= 2 && v.Text.compare(end - 2, 2, "\\n") == 0);
    const Line& last = lines[r.Last];
    std::string added;
    if (Continues(t, last))  // the file ends inside the list
        added = std::string("\n") + (separate ? "\\n\\\n" : "");
    else
        added = std::string(separate ? "\\n" : "") + "\\\n";
    added += SaverLines(which);
    std::string out = t.substr(0, last.End) + added + t.substr(last.End);
    if (last.Next == last.End) out += '\n';
    return out;
}

// xscreensaver's default list as a list of the user's file: "programs:"
// and the value of the app-defaults file's resource, its lines as they are.
bool DefaultList(const std::string& appDefaults, std::string& list)
{
    const std::vector<Line> lines = SplitLines(appDefaults);
    const std::vector<Resource> lists = FindLists(appDefaults, lines, true);
    if (lists.empty()) return false;
    const Resource& r = lists.back();
    list = "programs:" + appDefaults.substr(r.ValueBegin, lines[r.Last].End - r.ValueBegin) + "\n";
    return true;
}

size_t LineAt(const std::vector<Line>& lines, size_t at)
{
    const auto after = std::upper_bound(lines.begin(), lines.end(), at,
                                        [](size_t a, const Line& l) { return a < l.Begin; });
    return static_cast<size_t>(after - lines.begin()) - 1;
}

using Cut = std::pair<size_t, size_t>;  // bytes [first, second) of the file go

// The cuts that take the savers' entries out of resource r: an entry with
// its separator, and its lines whole where it has them to itself.
void CutSavers(const std::string& t, const std::vector<Line>& lines, const Resource& r, std::vector<Cut>& cuts,
               ListEdit& edit)
{
    const Value v = ValueOf(t, lines, r);
    std::vector<bool> gone(r.Last - r.First + 1);  // the resource's lines that go whole
    for (const Entry& e : EntriesOf(v.Text)) {
        const int32_t s = SaverOf(v.Text.substr(e.Begin, e.End - e.Begin));
        if (s < 0) continue;
        edit.Changed |= 1u << s;
        size_t first = e.Begin;
        while (IsBlank(v.Text[first])) ++first;  // the entry names a program
        const size_t fromLine = LineAt(lines, v.At[first]);
        const size_t begin = std::max(v.At[e.Begin], lines[fromLine].Begin);
        size_t end = v.At[e.Next - 1] + 1;
        const size_t toLine = LineAt(lines, end - 1);
        const Line& to = lines[toLine];
        size_t rest = end;
        while (rest < to.End && IsBlank(t[rest])) ++rest;
        if (begin == lines[fromLine].Begin && (rest == to.End || (rest + 1 == to.End && t[rest] == '\\'))) {
            end = to.Next;
            for (size_t i = fromLine; i <= toLine; ++i) gone[i - r.First] = true;
        }
        cuts.push_back({begin, end});
    }
    if (!gone.back()) return;
    // The line now last continued into the lines that went: it ends the list.
    // (The resource's first line never goes: it names the resource.)
    size_t last = r.Last;
    while (gone[last - r.First]) --last;
    cuts.push_back({lines[last].End - 1, lines[last].End});
}

} // namespace

bool AddZamvelSavers(const std::string& file, const std::string& appDefaults, ListEdit& edit)
{
    const std::vector<Line> lines = SplitLines(file);
    const std::vector<Resource> lists = FindLists(file, lines, false);
    edit = ListEdit{};
    edit.Text = file;
    if (!lists.empty()) {
        // The daemon takes the last list of the file.
        edit.Listed = Listed(ValueOf(file, lines, lists.back()));
        edit.Changed = AllZamvelSavers & ~edit.Listed;
        if (edit.Changed) edit.Text = Append(file, lines, lists.back(), edit.Changed);
        return true;
    }
    // xscreensaver's defaults with the savers after them, below what the
    // file holds.
    std::string list;
    if (!DefaultList(appDefaults, list)) return false;
    const std::vector<Line> listLines = SplitLines(list);
    list = Append(list, listLines, FindLists(list, listLines, false).back(), AllZamvelSavers);
    if (!file.empty() && file.back() != '\n') edit.Text += '\n';
    // A blank line ends a resource the file leaves continued.
    if (!lines.empty() && Continues(file, lines.back())) edit.Text += '\n';
    edit.Text += list;
    edit.Changed = AllZamvelSavers;
    return true;
}

void RemoveZamvelSavers(const std::string& file, ListEdit& edit)
{
    const std::vector<Line> lines = SplitLines(file);
    edit = ListEdit{};
    std::vector<Cut> cuts;
    for (const Resource& r : FindLists(file, lines, false)) CutSavers(file, lines, r, cuts, edit);
    edit.Listed = edit.Changed;
    std::sort(cuts.begin(), cuts.end());
    size_t at = 0;
    for (const Cut& c : cuts) {
        if (c.first > at) edit.Text.append(file, at, c.first - at);
        at = std::max(at, c.second);
    }
    if (at < file.size()) edit.Text.append(file, at, None);
}
