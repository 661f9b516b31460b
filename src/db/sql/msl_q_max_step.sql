select max(Srun) as Mstep from route where type_route_id=:id
