// The anchor of the precompiled headers (cmake/SharedHeaders.cmake): it has no code of its own.
