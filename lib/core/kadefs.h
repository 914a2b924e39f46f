// Export/import marking shared by every public declaration of the library.
// The program exports the library by name; an outside module defines KA_IMPORT
// and links against the program's import library.
#pragma once

#if defined(KA_IMPORT)
#define KA_API __declspec(dllimport)
#else
#define KA_API __declspec(dllexport)
#endif
