// The text probe's pictures: the same lines of text in the library's fonts, drawn with
// TextOutA into 32-bit DIB sections and written as PPM files, so the portable text and
// Windows (or Wine) can be compared pixel by pixel.
#pragma once

// Writes every picture into dir (which must exist); 0 on success.
int write_pictures(const char* dir);

// Compares the pictures of two directories and prints the share of identical pixels per
// face and size, per style, and overall; 0 when every picture was found in both. With a
// deviation list ("<picture> <pixels> <cause>" lines), also 0 only when each picture
// differs in exactly the pixels its lines add up to (none for a picture not listed).
int compare_pictures(const char* first_dir, const char* second_dir, const char* deviations = nullptr);
