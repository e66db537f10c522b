// The process entry of every program: hands the argument text to the shell.
#include "command_line.h"
#include "saver_shell.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    SaverMain(instance, SkipProgramName(GetCommandLineA()), ProgramSaver);
    return 0;
}
