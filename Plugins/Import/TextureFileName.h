// The file a dictionary texture is written to, which its materials name: the
// one place that name is made, so the materials and the texture step agree.
#pragma once

#include <stddef.h>

// "NAME.png" for a texture name, made a plain file name of the model's folder
// whatever the name holds: characters no file name may hold (controls,
// / \ : * ? " < > |) become "_", a name of dots only becomes as many "_", and a
// device name of Windows (CON, PRN, AUX, NUL, COM0-9, LPT0-9, CONIN$,
// CONOUT$, with any extension) gets a leading "_". Double-byte characters are
// kept whole. The name is cut (whole characters) to leave room for ".png" in
// size bytes. An empty name stays empty (".png").
void TextureFileNameOf(const char* textureName, char* out, size_t size);
