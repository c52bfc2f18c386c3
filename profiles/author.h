#pragma once

// The author's credit, as both programs show it.
namespace nudgekey::author {

inline constexpr const char* kMail = "orvo@nudgekey.example";
inline constexpr const char* kHomePage = "http://www.nudgekey.example/";
inline constexpr const char* kCreditLine = "by Orvo (orvo@nudgekey.example)";
inline constexpr const char* kCompany = "Orvo";
inline constexpr const char* kComment = "Written by Orvo (orvo@nudgekey.example)";

}  // namespace nudgekey::author
