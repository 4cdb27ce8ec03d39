// Resource identifiers of update.exe.
#ifndef MIRELKA_UPDATE_WIN32_RESOURCE_H
#define MIRELKA_UPDATE_WIN32_RESOURCE_H

#define IDD_UPDATE 101
#define IDC_FILE_BAR 1005   // bytes of the current file
#define IDC_FILES_BAR 1006  // files done out of the total
#define IDC_FILE_NAME 1008
#define IDC_COUNTER 1009
#define IDC_MESSAGE 1010

#define IDR_VENDOR_KEY 201  // RCDATA: the vendor's public key, PEM

#endif
