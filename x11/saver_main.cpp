// The main of every Linux program (zamvel-NAME): the frame over the saver's
// table, which the build names as ZAMVEL_SAVER_TABLE.
#include "hack_main.h"

extern const SaverTable ZAMVEL_SAVER_TABLE;

int main(int argc, char** argv) { return HackMain(ZAMVEL_SAVER_TABLE, argc, argv); }
