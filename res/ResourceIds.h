/* Resource and control ids of the options dialogs, for the resource scripts.
   They are the ids of frame/DialogIds.h, which the dialog logic uses; the
   Windows host checks at compile time that the two agree. */
#pragma once

#define IDD_OPTIONS 102

#define IDC_WRITE_TEXTURE_DICTIONARY 1001 /* export check box */
#define IDC_CLUMP_LIST 1001               /* import drop-down list */
#define IDC_SPLIT_VERTICES 1003
#define IDC_SPLIT_BY_TEXCOORD 1011
#define IDC_SPLIT_BY_NORMAL 1013
#define IDC_SCALE_MANTISSA 1014
#define IDC_SCALE_EXPONENT 1015
#define IDC_EXPONENT_SPIN 1016
#define IDC_MANTISSA_SPIN 1017
#define IDC_GROUND_MODEL 1018
#define IDC_RESET_POSE 1019 /* import check box */
#define IDC_WRITE_TEXTURES 1004 /* import check box */
#define IDC_COMPRESS_TEXTURES 1020 /* export check box */
#define IDC_WRITE_MIPMAPS 1021 /* export check box */

/* Group boxes and labels are never addressed. */
#define IDC_UNNAMED -1

/* The common style of both options dialogs. */
#define OPTIONS_DIALOG_STYLE                                                                       \
    DS_SHELLFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU
