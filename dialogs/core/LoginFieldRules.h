// The checks of the teacher login dialog: the teacher ID and the class's transfer-folder name,
// both trimmed of white space at either end first.
#pragma once

#include <cstddef>
#include <string>

constexpr size_t kMaxTeacherIdLength = 20;
// What the two edit fields take at most.
constexpr int kLoginFieldMaxChars = 24;

// White space (blank, tab, line breaks, ideographic space...) removed at both ends.
std::u16string TrimWhiteSpace(const std::u16string& text);

// Any of , \ < > & | : / * ? "
bool HasForbiddenLoginChar(const std::u16string& text);

enum class LoginFieldVerdict {
    Accepted,
    IdEmpty,            // string 335
    IdForbiddenChar,    // string 339
    IdTooLong,          // string 338
    FolderForbidden,    // string 344
};

// Checked in this order: empty ID, forbidden character in the ID, ID longer than 20 characters,
// then the folder name. An empty folder name is accepted. A folder name of dots alone ("." or
// "..") would name the current or the parent folder where the student files are stored, so it
// is refused like a forbidden character. Both values are expected trimmed.
LoginFieldVerdict CheckLoginFields(const std::u16string& teacherId, const std::u16string& folderName);
