// vm_launch_probe: a stand-in for the host's executable. Started, it writes "launch-probe.txt"
// into its working folder: the working folder on the first line, then the host car list
// "Cars\cars.ini" of that folder as it found it.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

int main() {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path here = fs::current_path(ec);
    std::ifstream cars(here / "Cars" / "cars.ini", std::ios::binary);
    std::string list((std::istreambuf_iterator<char>(cars)), std::istreambuf_iterator<char>());
    {
        std::ofstream out(here / "launch-probe.tmp", std::ios::binary);
        out << here.string() << "\n" << list;
    }
    fs::rename(here / "launch-probe.tmp", here / "launch-probe.txt", ec);
    return 0;
}
