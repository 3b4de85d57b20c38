// The distribution's archives ("setup.1", "files.1"): plain files packed in
// order under their own names, as a gzip-compressed tar through libarchive.
//
//   PackArchive("files.1", {{"Tillscribe - Vivudiv", "/build/app/tillscribe"}, ...});
//   ArchiveMembers("files.1");                  // the names, in order
//   UnpackArchive("files.1", dest, progress);   // progress may cancel
//
// Unpacking takes regular files only, each straight into the destination
// folder: a name with a folder in it, "..", or a link is refused, so an
// archive can never write outside the destination.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tillscribe {

class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ArchiveMember {
    std::string name;       // the name in the archive and when unpacked
    std::string sourcePath; // the file packed under that name
};

void PackArchive(const std::string &archivePath, const std::vector<ArchiveMember> &members);

std::vector<std::string> ArchiveMembers(const std::string &archivePath);

// progress(done, total) in bytes after each block; returning false cancels
// (the files unpacked so far stay). Returns the names unpacked, in order.
using UnpackProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;
std::vector<std::string> UnpackArchive(const std::string &archivePath, const std::string &folder,
                                       const UnpackProgress &progress = {});

} // namespace tillscribe
