#include "win_text.h"

#include "result_presentation.h"

HINSTANCE g_instance = nullptr;

std::string load_text(UINT id)
{
    char buffer[TEXT_LIMIT];
    const int length = LoadStringA(g_instance, id, buffer, static_cast<int>(sizeof buffer));
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}
