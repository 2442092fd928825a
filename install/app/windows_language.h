#pragma once
// The language of the installed Windows, for the language page's first choice and for the
// uninstaller's messages, which no page chose a language for.

// The slot of the texts (0 English, 1 German, 2 French) that the installed Windows speaks.
int WindowsLanguageIndex();
