// kthostile: lists the hostile data cases, or builds the data folder of one.
//   kthostile --data DIR --list
//   kthostile --data DIR --make N --out FOLDER
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "hostile/variants.hpp"

int main(int argc, char** argv) {
  std::string data, out;
  long make = -1;
  bool list = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
    if (a == "--list") list = true;
    else if (a == "--data" && next) data = argv[++i];
    else if (a == "--out" && next) out = argv[++i];
    else if (a == "--make" && next) make = std::strtol(argv[++i], nullptr, 10);
    else {
      std::fprintf(stderr, "usage: kthostile --data DIR (--list | --make N --out FOLDER)\n");
      return 2;
    }
  }
  if (data.empty() || (!list && (make < 0 || out.empty()))) {
    std::fprintf(stderr, "usage: kthostile --data DIR (--list | --make N --out FOLDER)\n");
    return 2;
  }
  try {
    const auto cases = hostile::Cases(data);
    if (list) {
      for (size_t i = 0; i < cases.size(); ++i) {
        const auto& c = cases[i];
        std::printf("%zu\t%s\t%s\t%s\t%s\n", i, c.group.c_str(), c.file.c_str(), c.name.c_str(),
                    c.loads ? "loads" : "refused");
      }
      return 0;
    }
    if (static_cast<size_t>(make) >= cases.size()) {
      std::fprintf(stderr, "kthostile: no case %ld (there are %zu)\n", make, cases.size());
      return 2;
    }
    hostile::LinkData(data, out);
    hostile::Spoil(cases[static_cast<size_t>(make)], out);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kthostile: %s\n", e.what());
    return 1;
  }
  return 0;
}
