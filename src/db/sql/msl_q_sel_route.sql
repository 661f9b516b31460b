select * from route where route_id=:id
