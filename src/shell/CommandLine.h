#pragma once

// Entry of the vorn program: the desktop app without arguments, a command otherwise.
namespace CommandLine {
int run(int argc, char **argv);
}
