// The command-line choice on any bytes: the process command line the system
// hands a program, the argument text after its name, and the mode and handle
// read from that text.
//
// Input: the command line, then a zero byte and a pattern for ContainsText
// (the bytes up to the next zero). Both are NUL-terminated copies, as the
// system's command line is.
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "command_line.h"
#include "fuzz_input.h"

namespace {

// A heap copy of exactly the text and its terminator: a read past the
// terminator is a read past the block, which the address sanitizer reports.
std::unique_ptr<char[]> Terminated(const std::string& text)
{
    std::unique_ptr<char[]> copy(new char[text.size() + 1]);
    std::memcpy(copy.get(), text.c_str(), text.size() + 1);
    return copy;
}

void CheckChoice(const char* args)
{
    const ModeChoice choice = ChooseMode(args);
    FUZZ_CHECK(choice.Mode == SaverMode::Configure || choice.Mode == SaverMode::Run ||
               choice.Mode == SaverMode::Preview);
    // Run takes no handle: the window it makes is its own.
    if (choice.Mode == SaverMode::Run) FUZZ_CHECK(choice.Handle == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t end = input.find('\0');
    const std::string line = input.substr(0, end);
    const std::string pattern =
        end == std::string::npos ? std::string() : input.substr(end + 1, input.find('\0', end + 1) - end - 1);

    const std::unique_ptr<char[]> commandLine = Terminated(line);
    const std::unique_ptr<char[]> form = Terminated(pattern);

    // The argument text lies inside the command line and starts at its end
    // or at a byte that is neither a space nor a control character.
    const char* args = SkipProgramName(commandLine.get());
    FUZZ_CHECK(args >= commandLine.get() && args <= commandLine.get() + line.size());
    FUZZ_CHECK(*args == '\0' || static_cast<unsigned char>(*args) > ' ');

    CheckChoice(args);
    CheckChoice(commandLine.get());
    CheckChoice(form.get());

    // ContainsText against the standard library's search.
    const bool expected =
        !line.empty() && !pattern.empty() && std::string_view(line).find(pattern) != std::string_view::npos;
    FUZZ_CHECK(ContainsText(commandLine.get(), form.get()) == expected);
    return 0;
}
