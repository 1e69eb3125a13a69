// The data volume of the installation: how many bytes its folder tree holds, and that count as a
// short text for the volume notice.
#pragma once
#include <string>

// The total size in bytes of the files in `path` (a folder, with or without a trailing
// backslash); with `recurse` non-zero, of its subfolders too. Hidden and system files count; a
// folder that cannot be listed counts 0. A folder link is followed, but never into a folder the
// walk is already inside, so a link that leads back into its own tree cannot make it endless.
double FolderSize(const std::string& path, unsigned char recurse);

// "0.50 KB", "15.5 GB": the count in KB, MB or GB (steps of 1024), with 2 decimals below 10, 1
// below 100 and none from 100 on; a text whose decimals begin with 0 loses them ("2.05" shows as
// "2").
std::string FormatVolume(double bytes);

// DataVolume = FolderSize(SourcePath, 1) rounded, DataVolumeText = FormatVolume of it.
void MeasureDataVolume();
