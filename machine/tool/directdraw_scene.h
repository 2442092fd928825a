#pragma once
// The tool as a DirectDraw program: a test scene drawn through the card's DirectDraw driver,
// and the picture the card then shows, written to a file.

#include <string>

// Draws the scene with the driver at `driverPath` and saves what the card shows as a BMP file
// at `picturePath`. Empty on success; otherwise what went wrong.
std::string DrawDirectDrawScene(const std::string& driverPath, const std::string& picturePath);
