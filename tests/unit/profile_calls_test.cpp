#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "profile_folder.h"
#include "settings/profile_calls.h"

namespace {

struct ProfileCase {
    const char* what;
    std::string bytes;
    SectionRead read;  // how the section read of "Generic" is judged
};

// Files a user or a broken disk can produce. Each is read key by key with the platform's calls
// and through the section read, for every key, buffer size and both kinds of read; the two must
// agree exactly.
const ProfileCase CASES[] = {
    {"plain", crlf_lines({"[Generic]", "Speed=5", "Name=Paper", "Cap=Blue"}), SectionRead::Entries},
    {"case and blanks", crlf_lines({"[generic]", "  sPEED   =   7  ", "NAME= Thin Media ", "cap =\t'x' "}),
     SectionRead::Entries},
    {"quotes", crlf_lines({"[Generic]", "Name=\"Paper\"", "Cap='abcd'", "Speed=\"12\"", "Force=\"abc'",
                      "Thick=\""}), SectionRead::Entries},
    {"a key twice, a bare name first",
     crlf_lines({"[Generic]", "Speed=3", "Speed=9", "Name", "Name=x", "Cap=", "Cap=Red"}), SectionRead::Entries},
    {"comments and lines without '='",
     crlf_lines({"; Speed=1", "[Generic]", ";Speed=1", "# Cap=Red", "Cap=Red", "junk", "=7", "Thick = 2"}),
     SectionRead::Entries},
    {"values with '=' and numbers of every form",
     crlf_lines({"[Generic]", "Name=a=b", "Speed=0x1F", "Cap=-12abc", "Force=  +0b101", "Thick=4294967297"}),
     SectionRead::Entries},
    {"numbers and texts longer than the buffers",
     crlf_lines({"[Generic]", "Name=abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz",
            "Speed=000000000000000000000000000001234", "Force=\"0000000000000000000000000012\"",
            "Cap=\"abcde\""}),
     SectionRead::Entries},
    {"the section twice", crlf_lines({"[Generic]", "Speed=1", "[Other]", "Cap=x", "[GENERIC]", "Speed=2", "Name=n"}),
     SectionRead::Entries},
    {"line feeds only, no end of line", "[Generic]\nSpeed=8\nName=x", SectionRead::Entries},
    {"a byte-order mark", "\xEF\xBB\xBF[Generic]\r\nSpeed=6\r\n", SectionRead::Entries},
    {"a missing section", crlf_lines({"[Other]", "Speed=4"}), SectionRead::Missing},
    {"an empty section", crlf_lines({"[Generic]", "[Other]", "Speed=4"}), SectionRead::Missing},
    {"an empty file", "", SectionRead::Missing},
    {"a text beyond ASCII", crlf_lines({"[Generic]", "Name=Papier \xE9", "Speed=2"}), SectionRead::Unusable},
    {"a section larger than the buffer", crlf_lines({"[Generic]", ("Name=" + std::string(5000, 'n')).c_str(), "Speed=1"}),
     SectionRead::Unusable},
    {"control bytes and zeros", std::string("[Generic]\r\nSp\x00" "eed=5\r\nSpeed=\x05\x7F\r\nCap=\x00x\r\n\x1A\x01", 41),
     SectionRead::Entries},
    {"not text at all", std::string("\x00\x01[Generic]\r\nSpeed=5\r\n\x00\x02", 24), SectionRead::Missing},
};

const char* const KEYS[] = {"Speed", "Name", "Cap", "Force", "Thick", "Missing"};
const std::size_t TEXT_SIZES[] = {2, 3, 4, 5, 6, 64};

TEST(ProfileCalls, SectionReadsGiveWhatKeyReadsGive)
{
    ProfileFolder folder;
    int serial = 0;
    for (const ProfileCase& c : CASES) {
        SCOPED_TRACE(c.what);
        const std::string path = folder.file("case" + std::to_string(++serial) + ".ini");
        folder.write("case" + std::to_string(serial) + ".ini", c.bytes);
        for (const char* section : {"Generic", "Other"}) {
            ProfileFile file;
            file.Path = path.c_str();
            for (const char* key : KEYS) {
                SCOPED_TRACE(std::string(section) + "/" + key);
                EXPECT_EQ(profile_number(file, section, key, -7),
                          static_cast<std::int32_t>(GetPrivateProfileIntA(section, key, -7, path.c_str())));
                for (std::size_t size : TEXT_SIZES) {
                    char by_key[64] = {}, by_section[64] = {};
                    GetPrivateProfileStringA(section, key, "none  ", by_key, static_cast<DWORD>(size),
                                             path.c_str());
                    profile_text(file, section, key, "none  ", by_section, size);
                    EXPECT_STREQ(by_section, by_key) << "buffer of " << size;
                }
            }
            if (std::string(section) == "Generic") {
                EXPECT_EQ(file.Sections[0].Read, c.read);
            }
        }
    }
}

}  // namespace
