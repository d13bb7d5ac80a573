#include "platform/audiounit/SharedObjectFile.h"

#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

namespace au {

namespace {

using Header = ElfW(Ehdr);
using ProgramHeader = ElfW(Phdr);
using SectionHeader = ElfW(Shdr);

constexpr unsigned char nativeClass = sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32;
constexpr unsigned char nativeByteOrder = std::endian::native == std::endian::little ? ELFDATA2LSB : ELFDATA2MSB;

// The architecture this code was built for; 0 where we do not know it (the loader then says).
constexpr std::uint16_t nativeMachine =
#if defined(__x86_64__)
    EM_X86_64;
#elif defined(__aarch64__)
    EM_AARCH64;
#elif defined(__i386__)
    EM_386;
#elif defined(__arm__)
    EM_ARM;
#elif defined(__riscv)
    EM_RISCV;
#elif defined(__powerpc64__)
    EM_PPC64;
#elif defined(__s390x__)
    EM_S390;
#else
    0;
#endif

std::string bytes(std::uint64_t count) { return std::to_string(count) + (count == 1 ? " byte" : " bytes"); }

// Whether [offset, offset + size) lies within a file of length bytes, without overflow.
bool inside(std::uint64_t offset, std::uint64_t size, std::uint64_t length)
{
    return offset <= length && size <= length - offset;
}

std::string pastTheEnd(const std::string& what, std::uint64_t offset, std::uint64_t size, std::uint64_t length)
{
    const std::uint64_t end = size > UINT64_MAX - offset ? UINT64_MAX : offset + size;
    return "it is " + bytes(length) + " long, but " + what + " at byte " + std::to_string(end);
}

std::string classText(unsigned char elfClass)
{
    return elfClass == ELFCLASS32 ? "32-bit code" : elfClass == ELFCLASS64 ? "64-bit code" : "code of no known width";
}

std::string typeText(std::uint16_t type)
{
    switch (type) {
    case ET_REL: return "a relocatable object";
    case ET_EXEC: return "an executable";
    case ET_CORE: return "a core dump";
    default: return "an ELF file of type " + std::to_string(type);
    }
}

class File {
public:
    explicit File(const std::filesystem::path& path) : descriptor_(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~File()
    {
        if (descriptor_ >= 0)
            close(descriptor_);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool isOpen() const { return descriptor_ >= 0; }
    std::uint64_t length() const
    {
        struct stat status {};
        return fstat(descriptor_, &status) == 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
    }
    /// Whether all size bytes at offset were read.
    bool read(void* into, std::size_t size, std::uint64_t offset) const
    {
        auto* target = static_cast<char*>(into);
        while (size > 0) {
            const ssize_t got = pread(descriptor_, target, size, static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false;
            target += got;
            size -= static_cast<std::size_t>(got);
            offset += static_cast<std::uint64_t>(got);
        }
        return true;
    }

private:
    int descriptor_;
};

template <typename Entry>
std::optional<std::vector<Entry>> readTable(const File& file, std::uint64_t offset, std::size_t count)
{
    std::vector<Entry> entries(count);
    if (!file.read(entries.data(), count * sizeof(Entry), offset))
        return std::nullopt;
    return entries;
}

} // namespace

std::optional<std::string> sharedObjectFault(const std::filesystem::path& path)
{
    const File file(path);
    if (!file.isOpen())
        return std::string("it cannot be opened: ") + std::strerror(errno);
    const std::uint64_t length = file.length();

    unsigned char ident[EI_NIDENT]{};
    const bool identRead = file.read(ident, std::min<std::uint64_t>(length, EI_NIDENT), 0);
    if (!identRead || length < SELFMAG || std::memcmp(ident, ELFMAG, SELFMAG) != 0)
        return std::string("it is not an ELF file");
    Header header{};
    if (length < sizeof header || !file.read(&header, sizeof header, 0))
        return "it is " + bytes(length) + " long, less than an ELF header";
    if (header.e_ident[EI_CLASS] != nativeClass)
        return "it holds " + classText(header.e_ident[EI_CLASS]) + ", this machine runs " + classText(nativeClass);
    if (header.e_ident[EI_DATA] != nativeByteOrder)
        return std::string("its byte order is not this machine's");
    if (header.e_type != ET_DYN)
        return "it is " + typeText(header.e_type) + ", not a shared object";
    if (nativeMachine != 0 && header.e_machine != nativeMachine)
        return "it is built for ELF machine " + std::to_string(header.e_machine) + ", this machine is "
               + std::to_string(nativeMachine);

    if (header.e_phnum == 0 || header.e_phentsize != sizeof(ProgramHeader))
        return std::string("it has no program headers a loader can read");
    const std::uint64_t programSize = std::uint64_t(header.e_phnum) * sizeof(ProgramHeader);
    if (!inside(header.e_phoff, programSize, length))
        return pastTheEnd("its program headers end", header.e_phoff, programSize, length);
    const auto segments = readTable<ProgramHeader>(file, header.e_phoff, header.e_phnum);
    if (!segments)
        return std::string("its program headers cannot be read");
    for (std::size_t i = 0; i < segments->size(); ++i) {
        const ProgramHeader& segment = (*segments)[i];
        if (!inside(segment.p_offset, segment.p_filesz, length))
            return pastTheEnd("its segment " + std::to_string(i) + " ends", segment.p_offset, segment.p_filesz, length);
    }

    // Sections: nothing the loader maps, but a file cut short loses them first.
    if (header.e_shoff == 0)
        return std::nullopt;
    if (header.e_shentsize != sizeof(SectionHeader))
        return std::string("its section headers are malformed");
    std::uint64_t sectionCount = header.e_shnum;
    if (sectionCount == 0) { // more than 0xff00 sections: the count is in section 0
        SectionHeader first{};
        if (!inside(header.e_shoff, sizeof first, length))
            return pastTheEnd("its section headers end", header.e_shoff, sizeof first, length);
        if (!file.read(&first, sizeof first, header.e_shoff))
            return std::string("its section headers cannot be read");
        sectionCount = first.sh_size;
    }
    const std::uint64_t sectionTableSize =
        sectionCount > UINT64_MAX / sizeof(SectionHeader) ? UINT64_MAX : sectionCount * sizeof(SectionHeader);
    if (sectionCount > length / sizeof(SectionHeader) || !inside(header.e_shoff, sectionTableSize, length))
        return pastTheEnd("its section headers end", header.e_shoff, sectionTableSize, length);
    const auto sections = readTable<SectionHeader>(file, header.e_shoff, std::size_t(sectionCount));
    if (!sections)
        return std::string("its section headers cannot be read");
    for (std::size_t i = 0; i < sections->size(); ++i) {
        const SectionHeader& section = (*sections)[i];
        if (section.sh_type != SHT_NOBITS && section.sh_type != SHT_NULL
            && !inside(section.sh_offset, section.sh_size, length))
            return pastTheEnd("its section " + std::to_string(i) + " ends", section.sh_offset, section.sh_size, length);
    }
    return std::nullopt;
}

} // namespace au
