// The memory of the calling process at fixed addresses, as a library loaded into a program
// reaches the program's own image: reading and writing it, and the protection of its pages.
// This file must contain only operating-system independent declarations.
#pragma once
#include <cstdint>

namespace platform {

class OwnMemoryPort {
public:
    virtual ~OwnMemoryPort() = default;

    // Copies size bytes at the address into buffer. Returns false when any of them cannot be read.
    virtual bool Read(std::uint32_t address, void* buffer, std::uint32_t size) = 0;

    // Returns true if every byte of the range can be written as its pages are protected now.
    virtual bool IsWritable(std::uint32_t address, std::uint32_t size) = 0;

    // Copies size bytes from data to the address. Returns true only if all were written.
    virtual bool Write(std::uint32_t address, const void* data, std::uint32_t size) = 0;

    // Gives the pages holding the range the protection; puts the earlier protection of the first
    // page in *previous when given. Returns true on success.
    virtual bool Protect(std::uint32_t address, std::uint32_t size, std::uint32_t protection,
                         std::uint32_t* previous) = 0;

    // Makes the processor run the bytes now in the range, as code written at run time needs.
    virtual void FlushCode(std::uint32_t address, std::uint32_t size) = 0;
};

}  // namespace platform
