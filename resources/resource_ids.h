// Resource and control ids shared by the code and the resource script.
#pragma once

// Dialog templates.
#define IDD_WIZARD 101
#define IDD_MESSAGE 112
#define IDD_DIRECTORY_CHOOSER 168

// Icons.
#define IDI_PRODUCT 105
#define IDI_WIZARD 167

// Payload resources read by the Installer itself (type "TEXT").
#define IDR_GLYPH_SHEETS 110
#define IDR_LICENCE_CHINESE 124
#define IDR_LICENCE_ENGLISH 161
