#pragma once

// Whether the statistics host takes statistics; kept in the preferences, read once.
class VELStatConfig
{
public:
    static VELStatConfig &localConfig();
    VELStatConfig();

    bool serviceAvailable() const { return m_serviceAvailable; }
    // Stores the flag and flushes the preferences.
    void setServiceAvailable(bool available);

private:
    bool m_serviceAvailable;
};
