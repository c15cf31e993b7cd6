#include <cstdio>

int main()
{
    std::fputs("uso: tolerancia --informe ARCHIVO.w1e\n", stderr);
    return 2;
}
