#pragma once

#include "ServiceReply.h"

class PictureEndpoints;
class Router;
class ServiceDatabase;
struct ServiceRequest;

// An event's photos, an album, and photo uploads into an album by its event's participants
// (as "multipart/form-data", or "multipart/related" with an Atom entry and a base64 picture).
class PhotoEndpoints
{
public:
    PhotoEndpoints(ServiceDatabase &database, const PictureEndpoints &pictures);
    void addRoutes(Router &router);

private:
    ServiceReply eventPhotos(const ServiceRequest &request);
    ServiceReply album(const ServiceRequest &request);
    ServiceReply upload(const ServiceRequest &request);

    ServiceDatabase &m_database;
    const PictureEndpoints &m_pictures;
};
