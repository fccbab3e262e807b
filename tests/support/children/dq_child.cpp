// A console child for the runner's tests. Its arguments are commands, run in
// order:
//   out TEXT     writes TEXT to standard output
//   err TEXT     writes TEXT to standard error
//   chunk TEXT   writes TEXT padded with '.' to exactly 256 bytes, then waits
//                so that the reader takes it in one read of its own
//   tail TEXT    writes TEXT so that it ends a 256-byte chunk (dots before it)
//   bytes N      writes N bytes of 'x'
//   sleep MS     waits MS milliseconds
//   slowwrite PATH  writes "begun" into the file PATH, waits 3 s, then adds
//                " and finished" and closes it, as a program rewriting a file
//   tag TEXT     ignored (lets a test put any text on the command line)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
void Write(FILE* stream, const std::string& text) {
  fwrite(text.data(), 1, text.size(), stream);
  fflush(stream);
}
}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string command = argv[i];
    std::string arg = argv[i + 1];
    if (command == "out") {
      Write(stdout, arg);
    } else if (command == "err") {
      Write(stderr, arg);
    } else if (command == "chunk") {
      Write(stdout, arg + std::string(arg.size() < 256 ? 256 - arg.size() : 0, '.'));
      Sleep(200);
    } else if (command == "tail") {
      Write(stdout, std::string(arg.size() < 256 ? 256 - arg.size() : 0, '.') + arg);
      Sleep(200);
    } else if (command == "bytes") {
      Write(stdout, std::string(static_cast<size_t>(atoi(arg.c_str())), 'x'));
    } else if (command == "sleep") {
      Sleep(static_cast<DWORD>(atoi(arg.c_str())));
    } else if (command == "slowwrite") {
      FILE* file = fopen(arg.c_str(), "wb");
      if (!file) return 1;
      Write(file, "begun");
      Sleep(3000);
      Write(file, " and finished");
      fclose(file);
    }
  }
  return 0;
}
