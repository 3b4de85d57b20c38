#include "Archive.h"

#include "UniqueFd.h"

#include <archive.h>
#include <archive_entry.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace tillscribe {
namespace {

struct ReaderDeleter {
    void operator()(archive *a) const { archive_read_free(a); }
};
struct WriterDeleter {
    void operator()(archive *a) const { archive_write_free(a); }
};
using Reader = std::unique_ptr<archive, ReaderDeleter>;
using Writer = std::unique_ptr<archive, WriterDeleter>;

[[noreturn]] void Fail(const std::string &what, archive *a)
{
    const char *why = a ? archive_error_string(a) : nullptr;
    throw ArchiveError(what + (why ? std::string(": ") + why : std::string()));
}

Reader OpenForReading(const std::string &path)
{
    Reader reader(archive_read_new());
    archive_read_support_filter_all(reader.get());
    archive_read_support_format_all(reader.get());
    if (archive_read_open_filename(reader.get(), path.c_str(), 65536) != ARCHIVE_OK)
        Fail(path, reader.get());
    return reader;
}

// A member must be a plain file whose name names nothing but itself.
void CheckMember(archive_entry *entry, const std::string &archivePath)
{
    const char *raw = archive_entry_pathname(entry);
    const std::string name = raw ? raw : "";
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos
        || archive_entry_filetype(entry) != AE_IFREG || archive_entry_hardlink(entry)
        || archive_entry_symlink(entry))
        throw ArchiveError(archivePath + ": refused member '" + name + "'");
}

bool WriteAll(int fd, const void *data, size_t size)
{
    auto *bytes = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

void PackArchive(const std::string &archivePath, const std::vector<ArchiveMember> &members)
{
    Writer writer(archive_write_new());
    archive_write_add_filter_gzip(writer.get());
    archive_write_set_format_pax_restricted(writer.get());
    if (archive_write_open_filename(writer.get(), archivePath.c_str()) != ARCHIVE_OK)
        Fail(archivePath, writer.get());
    std::vector<char> buffer(65536);
    for (const ArchiveMember &member : members) {
        UniqueFd in(::open(member.sourcePath.c_str(), O_RDONLY | O_CLOEXEC));
        struct stat st;
        if (!in || ::fstat(in.get(), &st) != 0 || !S_ISREG(st.st_mode))
            throw ArchiveError(member.sourcePath + ": " + std::strerror(errno ? errno : EINVAL));
        std::unique_ptr<archive_entry, void (*)(archive_entry *)> entry(archive_entry_new(),
                                                                        archive_entry_free);
        archive_entry_set_pathname(entry.get(), member.name.c_str());
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), (st.st_mode & 0111) ? 0755 : 0644);
        archive_entry_set_size(entry.get(), st.st_size);
        archive_entry_set_mtime(entry.get(), st.st_mtime, 0);
        if (archive_write_header(writer.get(), entry.get()) != ARCHIVE_OK)
            Fail(archivePath, writer.get());
        for (;;) {
            const ssize_t n = ::read(in.get(), buffer.data(), buffer.size());
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                throw ArchiveError(member.sourcePath + ": " + std::strerror(errno));
            if (n == 0)
                break;
            if (archive_write_data(writer.get(), buffer.data(), static_cast<size_t>(n)) != n)
                Fail(archivePath, writer.get());
        }
    }
    if (archive_write_close(writer.get()) != ARCHIVE_OK)
        Fail(archivePath, writer.get());
}

std::vector<std::string> ArchiveMembers(const std::string &archivePath)
{
    Reader reader = OpenForReading(archivePath);
    std::vector<std::string> names;
    archive_entry *entry = nullptr;
    int rc;
    while ((rc = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK) {
        CheckMember(entry, archivePath);
        names.emplace_back(archive_entry_pathname(entry));
        archive_read_data_skip(reader.get());
    }
    if (rc != ARCHIVE_EOF)
        Fail(archivePath, reader.get());
    return names;
}

std::vector<std::string> UnpackArchive(const std::string &archivePath, const std::string &folder,
                                       const UnpackProgress &progress)
{
    // First the total, for the progress; the members are checked on the way.
    std::uint64_t total = 0;
    {
        Reader reader = OpenForReading(archivePath);
        archive_entry *entry = nullptr;
        int rc;
        while ((rc = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK) {
            CheckMember(entry, archivePath);
            total += static_cast<std::uint64_t>(archive_entry_size(entry));
            archive_read_data_skip(reader.get());
        }
        if (rc != ARCHIVE_EOF)
            Fail(archivePath, reader.get());
    }

    Reader reader = OpenForReading(archivePath);
    std::vector<std::string> unpacked;
    std::uint64_t done = 0;
    archive_entry *entry = nullptr;
    std::vector<char> buffer(65536);
    while (archive_read_next_header(reader.get(), &entry) == ARCHIVE_OK) {
        CheckMember(entry, archivePath);
        const std::string name = archive_entry_pathname(entry);
        const std::string target = folder + "/" + name;
        // Written aside and renamed into place: a file of the same name stays
        // whole until its successor is complete.
        const std::string partial = folder + "/." + name + ".partial";
        UniqueFd out(::open(partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC,
                            static_cast<mode_t>(archive_entry_perm(entry) & 0755)));
        if (!out)
            throw ArchiveError(target + ": " + std::strerror(errno));
        for (;;) {
            const la_ssize_t n = archive_read_data(reader.get(), buffer.data(), buffer.size());
            if (n < 0) {
                ::unlink(partial.c_str());
                Fail(archivePath, reader.get());
            }
            if (n == 0)
                break;
            if (!WriteAll(out.get(), buffer.data(), static_cast<size_t>(n))) {
                const int error = errno;
                ::unlink(partial.c_str());
                throw ArchiveError(target + ": " + std::strerror(error));
            }
            done += static_cast<std::uint64_t>(n);
            if (progress && !progress(done, total)) {
                ::unlink(partial.c_str());
                return unpacked;
            }
        }
        out.reset();
        if (::rename(partial.c_str(), target.c_str()) != 0) {
            const int error = errno;
            ::unlink(partial.c_str());
            throw ArchiveError(target + ": " + std::strerror(error));
        }
        unpacked.push_back(name);
    }
    if (progress)
        progress(done, total);
    return unpacked;
}

} // namespace tillscribe
