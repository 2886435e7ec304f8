#include "velmora.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace {

struct Credentials {
    std::string user;
    std::string password;
    std::string error;
};

std::string plantRoot() {
    if (const char* env = std::getenv("VELMORA_ROOT"); env && *env)
        return env;
#if defined(_WIN32)
    return "C:\\Velmora";
#else
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/share/velmora";
#endif
}

void trimLineEnd(std::string& s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n'))
        s.pop_back();
}

// Read anew on every call, so a changed file or root is seen without reloading the library.
Credentials& readCredentials() {
    static Credentials c;
    c = Credentials{};
    const std::string path = plantRoot() + "/velmora.cred";
#if !defined(_WIN32)
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        c.error = "Ficheiro de credenciais inexistente: " + path;
        return c;
    }
    if (st.st_mode & (S_IRWXG | S_IRWXO)) {
        c.error = "O ficheiro de credenciais " + path +
                  " pode ser lido por outros utilizadores; restrinja-o ao dono (chmod 600).";
        return c;
    }
#endif
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        c.error = "Ficheiro de credenciais ilegível: " + path;
        return c;
    }
    std::getline(in, c.user);
    std::getline(in, c.password);
    trimLineEnd(c.user);
    trimLineEnd(c.password);
    return c;
}

std::string g_user;
std::string g_password;
std::string g_error;

} // namespace

const char* VelmoraUserName() {
    const Credentials& c = readCredentials();
    g_user = c.user;
    g_error = c.error;
    return g_user.c_str();
}

const char* VelmoraPassword() {
    const Credentials& c = readCredentials();
    g_password = c.password;
    g_error = c.error;
    return g_password.c_str();
}

const char* VelmoraLastError() {
    return g_error.c_str();
}
