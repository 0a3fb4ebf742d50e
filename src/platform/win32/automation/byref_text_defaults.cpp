// Build tool, run on the build machine: byref_text_defaults IN.tlb OUT.tlb
//
// An optional by-reference text argument of the host's language carries its default in the
// type library as [in, out, optional, defaultvalue("...")] BSTR*. widl cannot write a text
// default on a pointer, so the build gives widl those arguments by value (still marked
// [out]) and this tool turns every [out] BSTR parameter of the finished library back into a
// BSTR*, keeping the default widl wrote. A by-value [out] parameter means nothing, so the
// rule cannot catch a real by-value argument.
//
// The library is in the MSFT format that widl writes: a header, the offsets of the type
// infos, a directory of segments, and for each type info a block of function records whose
// last part is one 12-byte record per parameter (type, name, flags).
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t MsftMagic = 0x5446534d;
constexpr std::uint32_t HelpDllFlag = 0x100;
constexpr std::size_t HeaderSize = 0x54;
constexpr std::size_t SegmentCount = 15;
constexpr std::size_t TypeInfoSegment = 0;
constexpr std::size_t TypeDescSegment = 9;
constexpr std::size_t TypeInfoSize = 0x64;
static_assert(TypeDescSegment < SegmentCount);
constexpr std::size_t ParameterRecordSize = 12;

constexpr std::uint32_t VtBstr = 8;
constexpr std::uint32_t VtPtr = 26;
constexpr std::uint32_t InlineBstr = 0x80000000u | (VtBstr << 16) | VtBstr;
constexpr std::uint32_t ParamFlagOut = 0x2;
constexpr std::uint32_t TypeDescSize = 8; // what a BSTR* adds to the function's FUNCDESC

class Library {
  public:
    explicit Library(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

    std::uint32_t at(std::size_t offset) const {
        check(offset, 4);
        return std::uint32_t(bytes_[offset]) | std::uint32_t(bytes_[offset + 1]) << 8 |
               std::uint32_t(bytes_[offset + 2]) << 16 | std::uint32_t(bytes_[offset + 3]) << 24;
    }
    void put(std::size_t offset, std::uint32_t value) {
        check(offset, 4);
        for (int i = 0; i < 4; ++i) {
            bytes_[offset + i] = static_cast<unsigned char>(value >> (8 * i));
        }
    }
    const std::vector<unsigned char>& bytes() const { return bytes_; }

  private:
    void check(std::size_t offset, std::size_t size) const {
        if (offset > bytes_.size() || bytes_.size() - offset < size) {
            throw std::runtime_error("record outside the file at offset " + std::to_string(offset));
        }
    }
    std::vector<unsigned char> bytes_;
};

struct Segment {
    std::size_t offset;
    std::size_t length;
};

struct Layout {
    std::vector<std::size_t> type_infos; // file offsets of the type info records
    Segment type_descs;
};

Layout read_layout(const Library& library) {
    if (library.at(0) != MsftMagic) {
        throw std::runtime_error("not an MSFT type library");
    }
    const std::uint32_t varflags = library.at(0x14);
    const std::uint32_t type_info_count = library.at(0x20);
    std::size_t offset = HeaderSize + ((varflags & HelpDllFlag) != 0 ? 4 : 0);
    const std::size_t directory = offset + 4 * std::size_t(type_info_count);

    auto segment = [&](std::size_t index) {
        const std::size_t entry = directory + 16 * index;
        return Segment{library.at(entry), library.at(entry + 4)};
    };
    Layout layout{{}, segment(TypeDescSegment)};
    const Segment type_info_segment = segment(TypeInfoSegment);
    for (std::uint32_t i = 0; i < type_info_count; ++i) {
        layout.type_infos.push_back(type_info_segment.offset + library.at(offset + 4 * i));
    }
    return layout;
}

// The TYPEDESC of a pointer to BSTR that the library already holds for its other by-reference
// text arguments.
std::uint32_t find_bstr_pointer(const Library& library, const Segment& type_descs) {
    for (std::size_t entry = 0; entry + 8 <= type_descs.length; entry += 8) {
        const std::size_t at = type_descs.offset + entry;
        if ((library.at(at) & 0xffff) == VtPtr && library.at(at + 4) == InlineBstr) {
            return static_cast<std::uint32_t>(entry);
        }
    }
    throw std::runtime_error("the library has no BSTR* type to point the arguments at");
}

int make_text_arguments_by_reference(Library& library) {
    const Layout layout = read_layout(library);
    int changed = 0;
    std::uint32_t bstr_pointer = 0;
    bool bstr_pointer_known = false;

    for (std::size_t type_info : layout.type_infos) {
        if (type_info + TypeInfoSize > library.bytes().size()) {
            throw std::runtime_error("type info outside the file");
        }
        const std::uint32_t functions_block = library.at(type_info + 4);
        const std::uint32_t function_count = library.at(type_info + 0x18) & 0xffff;
        if (function_count == 0 || functions_block == 0xffffffffu) {
            continue;
        }
        std::size_t record = functions_block + 4;
        for (std::uint32_t f = 0; f < function_count; ++f) {
            const std::size_t record_size = library.at(record) & 0xffff;
            const std::size_t parameter_count = library.at(record + 20) & 0xffff;
            if (record_size < 24 + parameter_count * ParameterRecordSize) {
                throw std::runtime_error("function record too short");
            }
            const std::size_t parameters =
                record + record_size - parameter_count * ParameterRecordSize;
            for (std::size_t p = 0; p < parameter_count; ++p) {
                const std::size_t parameter = parameters + p * ParameterRecordSize;
                if (library.at(parameter) != InlineBstr ||
                    (library.at(parameter + 8) & ParamFlagOut) == 0) {
                    continue;
                }
                if (!bstr_pointer_known) {
                    bstr_pointer = find_bstr_pointer(library, layout.type_descs);
                    bstr_pointer_known = true;
                }
                library.put(parameter, bstr_pointer);
                // The high word of the fourth field is the memory a reader needs to rebuild
                // the FUNCDESC, pointer TYPEDESCs included.
                library.put(record + 12, library.at(record + 12) + (TypeDescSize << 16));
                ++changed;
            }
            record += record_size;
        }
    }
    return changed;
}

std::vector<unsigned char> read_file(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error(std::string("cannot read ") + path);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const char* path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error(std::string("cannot write ") + path);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s IN.tlb OUT.tlb\n", argv[0]);
        return 2;
    }
    try {
        Library library(read_file(argv[1]));
        const int changed = make_text_arguments_by_reference(library);
        write_file(argv[2], library.bytes());
        std::printf("%s: %d text arguments made by-reference\n", argv[2], changed);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
        return 1;
    }
}
