#include "platform/CodeModule.h"

#include <dlfcn.h>
#include <elf.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/FolderItem.h"

namespace {

#if defined(__x86_64__)
constexpr int kMachine = EM_X86_64;
#elif defined(__aarch64__)
constexpr int kMachine = EM_AARCH64;
#elif defined(__i386__)
constexpr int kMachine = EM_386;
#elif defined(__arm__)
constexpr int kMachine = EM_ARM;
#elif defined(__riscv)
constexpr int kMachine = EM_RISCV;
#elif defined(__powerpc64__)
constexpr int kMachine = EM_PPC64;
#elif defined(__s390x__)
constexpr int kMachine = EM_S390;
#else
#error "the machine this program is built for has no ELF machine number here"
#endif
constexpr unsigned char kClass = sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32;
constexpr unsigned char kByteOrder =
    __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? ELFDATA2LSB : ELFDATA2MSB;

std::string MachineName(int machine) {
    switch (machine) {
        case EM_X86_64:
            return "x86_64";
        case EM_AARCH64:
            return "aarch64";
        case EM_386:
            return "i386";
        case EM_ARM:
            return "arm";
        case EM_RISCV:
            return "riscv";
        case EM_PPC64:
            return "ppc64";
        case EM_PPC:
            return "ppc";
        case EM_S390:
            return "s390x";
        case EM_MIPS:
            return "mips";
        case EM_SPARCV9:
            return "sparc64";
        default:
            return "machine " + std::to_string(machine);
    }
}

// Reads exactly size bytes at offset; false when the file ends first.
bool ReadAt(const FileDescriptor& file, void* into, std::size_t size, off_t offset) {
    auto* bytes = static_cast<char*>(into);
    while (size > 0) {
        const ssize_t n = ::pread(file.Get(), bytes, size, offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes += n;
        size -= static_cast<std::size_t>(n);
        offset += n;
    }
    return true;
}

// Whether [offset, offset + size) lies inside a file of fileSize bytes.
bool Inside(std::uint64_t offset, std::uint64_t size, std::uint64_t fileSize) {
    return offset <= fileSize && size <= fileSize - offset;
}

std::string CutShort(std::uint64_t needed, std::uint64_t fileSize) {
    return "damaged: cut short (it needs " + std::to_string(needed) + " bytes, the file holds " +
           std::to_string(fileSize) + ")";
}

// Empty when the loader can map the module in that file as its headers describe it; otherwise
// why not.
std::string ElfProblem(const FileDescriptor& file) {
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) return std::strerror(errno);
    const auto fileSize = static_cast<std::uint64_t>(info.st_size);
    ElfW(Ehdr) header{};
    if (!ReadAt(file, &header, EI_NIDENT, 0) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0) {
        return "not a code module (no ELF header)";
    }
    if (header.e_ident[EI_CLASS] != kClass) {
        return header.e_ident[EI_CLASS] == ELFCLASS32 ? "built for a 32-bit machine"
                                                      : "built for a 64-bit machine";
    }
    if (header.e_ident[EI_DATA] != kByteOrder) return "built for a machine of the other byte order";
    if (!ReadAt(file, &header, sizeof header, 0)) return CutShort(sizeof header, fileSize);
    if (header.e_machine != kMachine) {
        return "built for " + MachineName(header.e_machine) + ", not " + MachineName(kMachine);
    }
    if (header.e_type != ET_DYN) return "not a shared library";
    if (header.e_phentsize != sizeof(ElfW(Phdr)) || header.e_phnum == 0) {
        return "damaged: its program headers are not of this machine's form";
    }
    const std::uint64_t tableSize = std::uint64_t{header.e_phnum} * sizeof(ElfW(Phdr));
    if (!Inside(header.e_phoff, tableSize, fileSize)) {
        return CutShort(header.e_phoff + tableSize, fileSize);
    }
    std::vector<ElfW(Phdr)> segments(header.e_phnum);
    if (!ReadAt(file, segments.data(), tableSize, static_cast<off_t>(header.e_phoff))) {
        return CutShort(header.e_phoff + tableSize, fileSize);
    }
    bool loadable = false;
    for (const ElfW(Phdr) & segment : segments) {
        if (segment.p_type != PT_LOAD && segment.p_type != PT_DYNAMIC) continue;
        loadable = loadable || segment.p_type == PT_LOAD;
        if (segment.p_filesz > segment.p_memsz && segment.p_type == PT_LOAD) {
            return "damaged: a segment holds more of the file than it maps";
        }
        if (!Inside(segment.p_offset, segment.p_filesz, fileSize)) {
            return CutShort(segment.p_offset + segment.p_filesz, fileSize);
        }
    }
    if (!loadable) return "damaged: nothing in it can be loaded";
    return {};
}

// What the loader says, without the path it was given, which names only a descriptor.
std::string LoaderReason(const std::string& path) {
    const char* error = ::dlerror();
    std::string reason = error != nullptr ? error : "the loader gave no reason";
    if (reason.rfind(path + ": ", 0) == 0) reason.erase(0, path.size() + 2);
    return reason;
}

}  // namespace

std::optional<CodeModule> CodeModule::Open(const FolderItem& file, std::string& problem) {
    FileDescriptor fd = file.Open(kMaxFileBytes, problem);
    if (!fd.IsOpen()) return std::nullopt;
    const std::string why = ElfProblem(fd);
    if (!why.empty()) {
        problem = "unusable: " + why;
        return std::nullopt;
    }
    return CodeModule(std::move(fd));
}

void* CodeModule::Load(const char* entry, std::string& problem) {
    // Loaded through the descriptor that was checked, so that nothing can swap the file in
    // between, and by a path that is plain ASCII whatever the folders above it are called.
    // Without /proc, by the path it was opened by, which still names it (FileDescriptor::Path).
    const std::string path = file_.Path();
    if (path.empty()) {
        problem = "unusable: the file that was checked can no longer be reached";
        return nullptr;
    }
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        problem = "unusable: " + LoaderReason(path);
        return nullptr;
    }
    void* address = ::dlsym(module, entry);
    if (address == nullptr) {
        problem = "unusable: " + LoaderReason(path);
        ::dlclose(module);
        return nullptr;
    }
    // The loader knows a module by the path it was loaded from and hands the same module to the
    // next load of that path: the descriptor stays open with the module, so that its number, and
    // the path with it, never comes to name another file.
    static std::vector<FileDescriptor> loaded;
    loaded.push_back(std::move(file_));
    return address;
}
