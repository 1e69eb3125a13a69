// The rules for the names and paths the wizard is given. Pure functions: values in, values out.
#pragma once
#include <string>

// The last component of a folder path that ends with a backslash ("C:\Games\SH3\" gives "SH3");
// the empty string for a drive root ("C:\"), never the drive itself.
std::string FolderNameOf(const std::string& folderPath);

// The folder that receives the copy: targetRoot + copyName + "\".
std::string CopyPathOf(const std::string& targetRoot, const std::string& copyName);

// True when Windows can use `name` as the name of one folder: not empty, no \ / : * ? " < > | or
// control character, not ending in a dot (so neither "." nor ".."), and not a reserved device
// name (CON, PRN, AUX, NUL, COM1-9, LPT1-9), with or without an extension, in any letter case.
// Letters outside ASCII pass.
bool IsUsableFolderName(const std::string& name);

// True when the typed copy name is refused and the name dialog has to come back: the suggested
// name unchanged (a byte-exact comparison), a blank anywhere, or a name that cannot be a folder.
bool IsCopyNameRefused(const std::string& name, const std::string& sourceFolderName);

// True when `path` is `folder` itself or lies inside it. Both end with a backslash; letter case
// is ignored, as the file system does.
bool IsSameOrInside(const std::string& path, const std::string& folder);
