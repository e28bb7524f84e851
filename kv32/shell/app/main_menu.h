// The program's logged-off and logged-on menus and the main window's title under each.
#pragma once

inline constexpr unsigned IDR_KV_LOGGED_OFF = 1;
inline constexpr unsigned IDR_KV_LOGGED_ON = 51;
inline constexpr unsigned IDR_KV_LOGGED_ON_LARGE = 52;

// The application's dialog commands: the About box and the bench setup.
inline constexpr unsigned ID_KV_APP_ABOUT = 57664;
inline constexpr unsigned ID_KV_BENCH_SETUP = 32776;

// Registers the menus once; the main frame calls it before its first interface.
void KvRegisterMainMenus();
