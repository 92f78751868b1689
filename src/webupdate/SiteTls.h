#pragma once
// TLS towards the download site: the system's trusted roots plus the PEM certificates of the
// CAFILE setting (a private mirror's own CA), and what a refused certificate means in words.
// There is no way to accept a certificate these do not vouch for.
#include <QList>
#include <QSslConfiguration>
#include <QSslError>
#include <string>

// False, with the reason in error, when caFile is set but holds no readable PEM certificate.
bool SiteTlsConfiguration(const std::string& caFile, QSslConfiguration& configuration,
                          std::string& error);

// "the site's certificate has expired", "... comes from an unknown issuer", "... is for another
// host name (wrong host name)"; several problems are joined with "; ".
std::string DescribeTlsErrors(const QList<QSslError>& errors);
