// The program's name and version, in one place: the version resources of both shipped programs,
// the string the About box and the settings file show, and the installer's name read them here.
#pragma once

#define PRODUCT_NAME_TEXT       "Quillmark Advanced Controller"
#define PRODUCT_VERSION_TEXT    "2.01"
#define PRODUCT_VERSION_NUMBERS 2, 1, 0, 0
