#ifndef MIRELKA_SHELLEXT_WIN32_RESOURCE_H
#define MIRELKA_SHELLEXT_WIN32_RESOURCE_H

// The 13 x 13, 16-colour mark shown beside both menu items.
#define IDB_MENU_MARK 129

#endif
