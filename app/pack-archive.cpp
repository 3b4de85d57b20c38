// Build tool: pack-archive OUT NAME=FILE... writes a distribution archive.
#include "Archive.h"

#include <cstdio>
#include <string>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: pack-archive OUT NAME=FILE...\n");
        return 2;
    }
    std::vector<tillscribe::ArchiveMember> members;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto equals = arg.find('=');
        if (equals == std::string::npos) {
            std::fprintf(stderr, "pack-archive: '%s' is not NAME=FILE\n", argv[i]);
            return 2;
        }
        members.push_back({arg.substr(0, equals), arg.substr(equals + 1)});
    }
    try {
        tillscribe::PackArchive(argv[1], members);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "pack-archive: %s\n", e.what());
        return 1;
    }
    return 0;
}
