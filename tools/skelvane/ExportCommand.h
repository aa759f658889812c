#pragma once

// skelvane export SCENE.json -o OUT.dff [--ground] [--txd] [--no-split] [--split-uv|--no-split-uv]
//                 [--split-normal|--no-split-normal] [--scale MANTISSA EXPONENT] [--cancel]
//                 [--trace]
int RunExportCommand(int argc, char** argv);
