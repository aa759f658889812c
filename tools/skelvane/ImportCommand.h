#pragma once

// skelvane import FILE.dff -o OUT.mqo [--clump N] [--no-textures] [--scale MANTISSA EXPONENT]
// [--cancel] [--trace]
int RunImportCommand(int argc, char** argv);
